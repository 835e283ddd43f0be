// The resource table of the build tools: empty. Tools hand their inputs to the
// shared code through overrideResource instead.
#include "platform/resources.h"

const EmbeddedResource g_embeddedResources[] = {{0, nullptr, nullptr, nullptr}};
const int g_embeddedResourceCount = 0;

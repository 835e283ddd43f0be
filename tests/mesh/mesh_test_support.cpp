#include "mesh_test_support.h"

#include "platform/resources.h"

#include <gtest/gtest.h>

namespace meshtest {

namespace {
std::string g_obj;
std::string g_mtl;
} // namespace

void setTexts(const std::string& obj, const std::string& mtl)
{
    g_obj = obj;
    g_mtl = mtl;
    overrideResource(kObjId, kTextFileType, g_obj.data(), g_obj.size());
    overrideResource(kMtlId, kTextFileType, g_mtl.data(), g_mtl.size());
}

wavefront::ObjReader load(const std::string& obj, const std::string& mtl, bool* result)
{
    setTexts(obj, mtl);
    wavefront::ObjReader reader;
    testing::internal::CaptureStdout();
    const bool ok = reader.loadFromResources(kObjId, kMtlId);
    testing::internal::GetCapturedStdout();
    if (result)
        *result = ok;
    return reader;
}

} // namespace meshtest

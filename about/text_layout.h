// Line breaking for the window's static texts, as a plain left-aligned label
// does it: CR LF (or a lone LF) ends a line, and a line wider than the label
// breaks at the last blank that fits. A single word wider than the label stays
// whole on its own line (the label clips it).
#pragma once

#include <functional>
#include <string>
#include <vector>

using TextWidth = std::function<double(const std::string&)>;

std::vector<std::string> layoutLines(const std::string& text, double maxWidth, const TextWidth& width);

#pragma once
#include <string>
#include <vector>
std::vector<std::string> RandomTexts(size_t count, unsigned seed);

// The game keeps text, paths included, in UTF-8; Windows' own calls take UTF-16.
#pragma once

#include <string>

std::wstring WideOf(const std::string& utf8);
std::string Utf8Of(const std::wstring& wide);

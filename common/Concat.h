#pragma once
// Joining texts into one string in one step. A chain of operator+ makes a
// temporary string for every link, each with its own code to build and
// destroy it at the call site; Concat reserves once and appends, in one
// function that every message shares.
#include <initializer_list>
#include <string>
#include <string_view>

namespace vlt {

std::string Concat(std::initializer_list<std::string_view> parts);

}  // namespace vlt

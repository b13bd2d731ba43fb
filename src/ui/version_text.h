#pragma once
// The program's version as the about box shows it.

#include <string>
#include <string_view>

namespace q36::ui {

// Four decimal numbers joined by "." from a version such as "1.1.0.4"; missing parts count as
// 0, and "0.0.0.0" stands for a version that is empty or not made of numbers.
std::string FourPartVersion(std::string_view version);

// The version compiled into this program, in four parts.
std::string ProgramVersionText();

}  // namespace q36::ui

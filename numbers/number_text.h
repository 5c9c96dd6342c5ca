// Reading numbers from text: the value typed into the main window and the factors and
// offsets of the units data file go through the same parse.
#pragma once

#include <string>

namespace quantora {

// Deletes every blank (character 32) in place; other characters stay.
void RemoveBlanks(std::string& text);

// The leading-prefix parse of a typed value: blanks skipped, optional sign, digits with an
// optional '.', optional exponent; no hex and no "inf"/"nan" words; no number gives 0.0.
// The decimal point is '.' whatever the locale.
double ParseInputValue(const char* text);

// ReadInputValue without the control: the control's text cut to 49 characters, blanks
// removed, then parsed.
double ReadInputText(const std::string& controlText);

constexpr int kControlTextLimit = 49;

}  // namespace quantora

#pragma once

// What the program and a language library agree on. Plain C++, shared by the program, the
// two libraries and the tests.

namespace vantor {

// String 1 of every language library; a library whose string 1 differs is not used.
inline constexpr char LanguageMarker[] = "Vantor-Lang-v1.0";
static_assert(sizeof LanguageMarker - 1 == 16);

// Name of the one function a language library exports:
//     extern "C" const char* VantorLanguageString(int id);
// It returns the UTF-8 string of the identifier, or null for an identifier the library
// does not define. The strings live as long as the library stays loaded.
inline constexpr char LanguageStringSymbol[] = "VantorLanguageString";
using LanguageStringFunction = const char* (*)(int);

} // namespace vantor

#pragma once

// How the converter names itself in its messages, its help and its version.
inline constexpr const char* program = "ordelix-convert";

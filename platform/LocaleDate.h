#pragma once
#include <string>

// True when the user's locale reads name (Shift-JIS) as a date after 30 December 1899:
// the name as a string variant changes to a date variant whose value exceeds 1e-8.
bool IsLocaleDate(const std::string& name);

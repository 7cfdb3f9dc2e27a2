#pragma once
// The date folder name and the portable test of whether a folder name is a date.
#include <string>

// Today's local date as "%Y-%m-%d", for example 2006-05-01.
std::string DateFolderName();

// True for the form yyyy-mm-dd naming a real calendar date after 30 December 1899
// (day 0 of the date values that the Windows conversion gives).
bool IsIsoDateName(const std::string& name);

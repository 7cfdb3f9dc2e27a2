#include "plan/DateName.h"

#include <ctime>

namespace {

bool IsDigits(const std::string& text, std::size_t pos, std::size_t count) {
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

std::string DateFolderName() {
  std::time_t now = std::time(nullptr);
  char name[16] = "";
  std::strftime(name, sizeof name, "%Y-%m-%d", std::localtime(&now));
  return name;
}

bool IsIsoDateName(const std::string& name) {
  if (name.size() != 10 || name[4] != '-' || name[7] != '-') return false;
  if (!IsDigits(name, 0, 4) || !IsDigits(name, 5, 2) || !IsDigits(name, 8, 2)) return false;
  int year = std::stoi(name.substr(0, 4));
  int month = std::stoi(name.substr(5, 2));
  int day = std::stoi(name.substr(8, 2));
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  return name > "1899-12-30";  // same width, so text order is date order
}

#include "plan/DateName.h"

#include <ctime>

std::string MakeDateFolderName() {
  std::time_t now = std::time(nullptr);
  char text[32] = "";
  std::strftime(text, sizeof(text), "%Y-%m-%d", std::localtime(&now));
  return text;
}

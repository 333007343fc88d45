#include <clocale>

#include "textlib/codepage.h"

namespace exlib {
namespace {

struct UserDefaultLocale {
  UserDefaultLocale() { std::setlocale(LC_ALL, ""); }
};

}  // namespace

void SetUserDefaultLocale() {
  static const UserDefaultLocale once;
}

}  // namespace exlib

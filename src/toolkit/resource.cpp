#include "toolkit/resource.h"

#include <map>

namespace toolkit {
namespace {

std::map<int, FormResource>& forms() {
  static std::map<int, FormResource> registry;
  return registry;
}

std::map<int, MenuResource>& menus() {
  static std::map<int, MenuResource> registry;
  return registry;
}

}  // namespace

void registerForm(FormResource form) {
  const int id = form.id;
  forms()[id] = std::move(form);
}

void registerMenu(MenuResource menu) {
  const int id = menu.id;
  menus()[id] = std::move(menu);
}

namespace detail {

const FormResource* findForm(int id) {
  auto it = forms().find(id);
  return it == forms().end() ? nullptr : &it->second;
}

const MenuResource* findMenu(int id) {
  auto it = menus().find(id);
  return it == menus().end() ? nullptr : &it->second;
}

}  // namespace detail
}  // namespace toolkit

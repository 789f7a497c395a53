#include "XcbConnection.h"

#include <dlfcn.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace platform::detail {
namespace {

struct XcbApi {
  decltype(&xcb_connect) connect = nullptr;
  decltype(&xcb_disconnect) disconnect = nullptr;
  decltype(&xcb_connection_has_error) hasError = nullptr;
  decltype(&xcb_get_setup) getSetup = nullptr;
  decltype(&xcb_setup_roots_iterator) rootsIterator = nullptr;
  decltype(&xcb_screen_next) screenNext = nullptr;
  decltype(&xcb_intern_atom) internAtom = nullptr;
  decltype(&xcb_intern_atom_reply) internAtomReply = nullptr;
  decltype(&xcb_get_property) getProperty = nullptr;
  decltype(&xcb_get_property_reply) getPropertyReply = nullptr;
  decltype(&xcb_get_property_value) propertyValue = nullptr;
  decltype(&xcb_get_property_value_length) propertyValueLength = nullptr;
  decltype(&xcb_change_pointer_control_checked) changePointerControl = nullptr;
  decltype(&xcb_get_pointer_control) getPointerControl = nullptr;
  decltype(&xcb_get_pointer_control_reply) getPointerControlReply = nullptr;
  decltype(&xcb_request_check) requestCheck = nullptr;
  bool loaded = false;
};

template <typename F>
void resolve(void* lib, F& fn, const char* name, bool& ok) {
  fn = reinterpret_cast<F>(dlsym(lib, name));
  ok = ok && fn != nullptr;
}

const XcbApi& xcb() {
  static const XcbApi api = [] {
    XcbApi a;
    void* lib = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!lib) return a;
    bool ok = true;
    resolve(lib, a.connect, "xcb_connect", ok);
    resolve(lib, a.disconnect, "xcb_disconnect", ok);
    resolve(lib, a.hasError, "xcb_connection_has_error", ok);
    resolve(lib, a.getSetup, "xcb_get_setup", ok);
    resolve(lib, a.rootsIterator, "xcb_setup_roots_iterator", ok);
    resolve(lib, a.screenNext, "xcb_screen_next", ok);
    resolve(lib, a.internAtom, "xcb_intern_atom", ok);
    resolve(lib, a.internAtomReply, "xcb_intern_atom_reply", ok);
    resolve(lib, a.getProperty, "xcb_get_property", ok);
    resolve(lib, a.getPropertyReply, "xcb_get_property_reply", ok);
    resolve(lib, a.propertyValue, "xcb_get_property_value", ok);
    resolve(lib, a.propertyValueLength, "xcb_get_property_value_length", ok);
    resolve(lib, a.changePointerControl, "xcb_change_pointer_control_checked", ok);
    resolve(lib, a.getPointerControl, "xcb_get_pointer_control", ok);
    resolve(lib, a.getPointerControlReply, "xcb_get_pointer_control_reply", ok);
    resolve(lib, a.requestCheck, "xcb_request_check", ok);
    a.loaded = ok;
    return a;
  }();
  return api;
}

}  // namespace

std::unique_ptr<XcbConnection> XcbConnection::open(const std::string& display) {
  if (display.empty()) return nullptr;
  const XcbApi& api = xcb();
  if (!api.loaded) return nullptr;
  int screen = 0;
  xcb_connection_t* c = api.connect(display.c_str(), &screen);
  if (!c) return nullptr;
  if (api.hasError(c)) {
    api.disconnect(c);
    return nullptr;
  }
  xcb_screen_iterator_t it = api.rootsIterator(api.getSetup(c));
  for (int i = 0; i < screen && it.rem > 0; ++i) api.screenNext(&it);
  if (it.rem <= 0 || !it.data) {
    api.disconnect(c);
    return nullptr;
  }
  std::unique_ptr<XcbConnection> connection(new XcbConnection);
  connection->connection_ = c;
  connection->root_ = it.data->root;
  return connection;
}

XcbConnection::~XcbConnection() {
  if (connection_) xcb().disconnect(connection_);
}

bool XcbConnection::broken() const { return xcb().hasError(connection_) != 0; }

std::uint32_t XcbConnection::atom(const char* name) {
  const XcbApi& api = xcb();
  auto cookie = api.internAtom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = api.internAtomReply(connection_, cookie, nullptr);
  if (!reply) return 0;
  const std::uint32_t atom = reply->atom;
  std::free(reply);
  return atom;
}

std::optional<std::uint32_t> XcbConnection::property32(std::uint32_t window, std::uint32_t property,
                                                       std::uint32_t type) {
  if (!window || !property) return std::nullopt;
  const XcbApi& api = xcb();
  auto cookie = api.getProperty(connection_, 0, window, property, type, 0, 1);
  xcb_get_property_reply_t* reply = api.getPropertyReply(connection_, cookie, nullptr);
  if (!reply) return std::nullopt;  // e.g. the window is gone
  std::optional<std::uint32_t> value;
  if (reply->type == type && reply->format == 32 && api.propertyValueLength(reply) >= 4) {
    std::uint32_t v = 0;
    std::memcpy(&v, api.propertyValue(reply), 4);
    value = v;
  }
  std::free(reply);
  return value;
}

bool XcbConnection::setPointerControl(const PointerControl& control) {
  const XcbApi& api = xcb();
  auto cookie = api.changePointerControl(connection_, static_cast<std::int16_t>(control.numerator),
                                         static_cast<std::int16_t>(control.denominator),
                                         static_cast<std::int16_t>(control.threshold), 1, 1);
  xcb_generic_error_t* error = api.requestCheck(connection_, cookie);
  if (error) {
    std::free(error);
    return false;
  }
  return true;
}

std::optional<XcbConnection::PointerControl> XcbConnection::pointerControl() {
  const XcbApi& api = xcb();
  auto* reply =
      api.getPointerControlReply(connection_, api.getPointerControl(connection_), nullptr);
  if (!reply) return std::nullopt;
  PointerControl control{reply->acceleration_numerator, reply->acceleration_denominator,
                         reply->threshold};
  std::free(reply);
  return control;
}

}  // namespace platform::detail

#include "serial/DispatcherRegistry.h"

#include <vector>

namespace orvane::serial {

namespace {

std::recursive_mutex& RegistryLock() {
  static std::recursive_mutex lock;
  return lock;
}

std::vector<TApdBaseDispatcher*>& Slots() {
  static std::vector<TApdBaseDispatcher*> slots;
  return slots;
}

}  // namespace

std::unique_lock<std::recursive_mutex> TApdDispatcherRegistry::Lock() {
  return std::unique_lock(RegistryLock());
}

int TApdDispatcherRegistry::Add(TApdBaseDispatcher* dispatcher) {
  auto lock = Lock();
  auto& slots = Slots();
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i] == nullptr) {
      slots[i] = dispatcher;
      return static_cast<int>(i);
    }
  }
  slots.push_back(dispatcher);
  return static_cast<int>(slots.size() - 1);
}

void TApdDispatcherRegistry::Remove(int handle) {
  auto lock = Lock();
  auto& slots = Slots();
  if (handle < 0 || static_cast<std::size_t>(handle) >= slots.size()) return;
  slots[static_cast<std::size_t>(handle)] = nullptr;
  while (!slots.empty() && slots.back() == nullptr) slots.pop_back();
}

TApdBaseDispatcher* TApdDispatcherRegistry::Find(int handle) {
  auto& slots = Slots();
  if (handle < 0 || static_cast<std::size_t>(handle) >= slots.size()) return nullptr;
  return slots[static_cast<std::size_t>(handle)];
}

std::size_t TApdDispatcherRegistry::Size() {
  auto lock = Lock();
  return Slots().size();
}

}  // namespace orvane::serial

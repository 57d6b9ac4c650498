// Every allocation of the program that fails ends in the fatal report with the size asked for.
#include <cstdlib>
#include <new>

#include "app/fatal_error.h"
#include "app/fatal_report.h"

void* operator new(std::size_t size) {
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  quorvane::FatalError(quorvane::AllocationFailureMessage(size));
}

void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}

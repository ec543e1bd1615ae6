#include "app/app.h"

int main() {
  startup();
  while (!frame()) {
  }
  return 0;
}

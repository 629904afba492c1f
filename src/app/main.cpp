#include "app/App.h"

int main() { return AppMain(); }

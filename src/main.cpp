#include "src/application.h"

int main(int argc, char *argv[])
{
  return Run_Vandrel(argc, argv);
}

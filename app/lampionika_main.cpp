#include "app/run_program.h"
#include "editions/lampionika/lampionika.h"

int main(int argc, char** argv) {
    return app::runProgram(argc, argv, editions::lampionika(), ":/lampionika/form1_icon.bmp");
}

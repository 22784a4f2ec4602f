#include "app/run_program.h"
#include "editions/kadroskop/kadroskop.h"

int main(int argc, char** argv) {
    return app::runProgram(argc, argv, editions::kadroskop(), ":/kadroskop/form1_icon.bmp");
}

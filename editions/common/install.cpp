#include "about/form3.h"
#include "chooser/form4.h"
#include "editions/edition.h"
#include "viewer/form1.h"
#include "viewer/form2.h"

namespace editions {

void install(forms::Runtime& rt, viewer::Module1& m, const Edition& e) {
    rt.registerForm("Form1", [&m, &e](forms::Runtime& r) {
        return std::make_unique<viewer::Form1>(r, m, e.form1, e.variant);
    });
    rt.registerForm("Form2", [&m, &e](forms::Runtime& r) {
        return std::make_unique<viewer::Form2>(r, m, e.form2);
    });
    rt.registerForm("Form3", [&m, &e](forms::Runtime& r) {
        return std::make_unique<about::Form3>(r, m, e.form3);
    });
    rt.registerForm("Form4", [&m, &e](forms::Runtime& r) {
        return std::make_unique<chooser::Form4>(r, m, e.form4, e.chooser);
    });
}

} // namespace editions

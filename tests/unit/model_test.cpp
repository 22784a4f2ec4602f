// The forms runtime's model on the scripted host: pictures sizing their boxes, events raised
// by code and by input, window lifetimes, and how keys and the mouse find their control.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "forms/design.h"
#include "forms/environment.h"
#include "forms/files.h"
#include "forms/form.h"
#include "forms/keycodes.h"
#include "forms/runtime.h"
#include "forms/strings.h"
#include "tests/support/fake_environment.h"
#include "tests/support/fixtures.h"
#include "tests/support/scripted_host.h"
#include "tests/support/temp_dir.h"

namespace {

using forms::CheckBox;
using forms::ComboBox;
using forms::CommandButton;
using forms::ControlKind;
using forms::Form;
using forms::ListBox;
using forms::PictureBox;
using forms::Runtime;
using forms::TextBox;
using Log = std::vector<std::string>;

std::string num(float v) {
    std::ostringstream s;
    s << v;
    return s.str();
}

// The test window, client area 9000 x 7000, front first:
//   Front  button  100,2000 1000x500     overlaps Back
//   Back   button  500,2200 1000x500
//   Frame  picture box 3000,100 1500x1200, border 30 on each side, holding
//     Inner  button 100,100 600x400
//     Poke   button 1200,700 800x300, reaching past the frame's right edge
//   Edit   text box "hello", Check check box (ticked), List, Combo, and
//   Pic    picture box with AutoSize
forms::FormDesign probeDesign() {
    forms::FormDesign d;
    d.name = "Probe";
    d.caption = "Probe";
    d.clientWidth = 9000;
    d.clientHeight = 7000;
    auto add = [&](ControlKind kind, std::string name, float left, float top, float width,
                   float height, std::string parent = {}) -> forms::ControlDesign& {
        forms::ControlDesign c;
        c.kind = kind;
        c.name = std::move(name);
        c.parent = std::move(parent);
        c.left = left;
        c.top = top;
        c.width = width;
        c.height = height;
        d.controls.push_back(c);
        return d.controls.back();
    };
    add(ControlKind::CommandButton, "Front", 100, 2000, 1000, 500);
    add(ControlKind::CommandButton, "Back", 500, 2200, 1000, 500);
    add(ControlKind::PictureBox, "Frame", 3000, 100, 1500, 1200);
    add(ControlKind::CommandButton, "Inner", 100, 100, 600, 400, "Frame");
    add(ControlKind::CommandButton, "Poke", 1200, 700, 800, 300, "Frame");
    add(ControlKind::TextBox, "Edit", 100, 3000, 2000, 300).text = "hello";
    add(ControlKind::CheckBox, "Check", 100, 3500, 2000, 300).value = 1;
    add(ControlKind::ListBox, "List", 100, 4000, 2000, 1000);
    add(ControlKind::ComboBox, "Combo", 2500, 4000, 2000, 300);
    add(ControlKind::PictureBox, "Pic", 5000, 3000, 100, 100).autoSize = true;
    return d;
}

// Writes every event it hears into the test's log, which outlives the window.
class Probe final : public Form {
  public:
    Probe(Runtime& rt, const forms::FormDesign& design, Log& log) : Form(rt, design), log_(log) {
        for (const auto& owned : controls()) {
            forms::Control* c = owned.get();
            const std::string name = c->name();
            c->Click = [this, c, name] { log_.push_back(name + ".Click" + clickDetail(*c)); };
            c->DblClick = [this, name] { log_.push_back(name + ".DblClick"); };
            c->KeyDown = [this, name](int& key, int) {
                log_.push_back(name + ".KeyDown:" + std::to_string(key));
            };
            c->MouseMove = [this, name](int, int, float x, float y) {
                log_.push_back(name + ".MouseMove:" + num(x) + "," + num(y));
            };
        }
    }
    ~Probe() override { log_.push_back("~Probe"); }

    // A key code Form_KeyDown discards.
    int discardKey = -1;

    void Form_Load() override {
        log_.push_back("Load");
        for (const char* item : {"alpha", "beta", "gamma"}) {
            get<ListBox>("List").AddItem(item);
            get<ComboBox>("Combo").AddItem(item);
        }
    }
    void Form_Activate() override { log_.push_back("Activate"); }
    void Form_Resize() override { log_.push_back("Resize:" + num(Width) + "x" + num(Height)); }
    void Form_Unload() override { log_.push_back("Unload"); }
    void Form_KeyDown(int& key, int) override {
        log_.push_back("Form.KeyDown:" + std::to_string(key));
        if (key == discardKey)
            key = 0;
    }
    void Form_MouseMove(int, int, float x, float y) override {
        log_.push_back("Form.MouseMove:" + num(x) + "," + num(y));
    }

  private:
    // What the control shows while its Click runs.
    static std::string clickDetail(const forms::Control& c) {
        if (auto* k = dynamic_cast<const CheckBox*>(&c))
            return ":" + std::to_string(k->Value);
        if (auto* cb = dynamic_cast<const ComboBox*>(&c))
            return ":" + cb->Text.get();
        if (auto* l = dynamic_cast<const ListBox*>(&c))
            return ":" + std::to_string(l->ListIndex);
        return {};
    }
    Log& log_;
};

forms::DriveTable driveC(const testing_support::TempDir& tmp) {
    forms::DriveTable t;
    t.roots['C'] = tmp.path();
    return t;
}

class ModelFixture : public testing::Test {
  protected:
    ModelFixture() {
        rt.registerForm("Probe",
                        [this](Runtime& r) { return std::make_unique<Probe>(r, design, log); });
    }
    Probe& probe() { return rt.form<Probe>("Probe"); }
    // The window loaded and shown, with the log of getting there cleared.
    Probe& shown() {
        Probe& f = probe();
        rt.show(f, false);
        log.clear();
        return f;
    }

    testing_support::TempDir tmp;
    forms::FileSystem files{driveC(tmp)};
    testing_support::FakeEnvironment env;
    testing_support::ScriptedHost host;
    forms::FormDesign design = probeDesign();
    Log log;
    Runtime rt{host, files, env};
};

using ModelPictures = ModelFixture;
using ModelEvents = ModelFixture;
using ModelWindows = ModelFixture;
using ModelInput = ModelFixture;

TEST_F(ModelPictures, AutoSizeBoxTakesPictureSizePlusBorder) {
    tmp.mkdir("pics");
    struct Case {
        const char* file;
        int borderStyle;
        float width, height;
    };
    const Case cases[] = {
        {"p.jpg", 1, 615, 405}, {"p.jpg", 0, 555, 345}, {"p.bmp", 1, 615, 405},
        {"p.bmp", 0, 555, 345}, {"p.gif", 1, 615, 405}, {"p.gif", 0, 555, 345},
    };
    PictureBox& box = probe().get<PictureBox>("Pic");
    EXPECT_EQ(box.BorderStyle.get(), 1); // the design leaves the default border
    ASSERT_TRUE(files.chDir("C:\\pics").ok());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " border " + std::to_string(c.borderStyle));
        testing_support::writePicture(tmp / (std::string("pics/") + c.file), 37, 23);
        const auto pic = rt.loadPicture(c.file);
        ASSERT_TRUE(pic.ok()) << pic.reason();
        box.Picture = nullptr;
        box.BorderStyle = c.borderStyle;
        box.Width = 1.0f;
        box.Height = 1.0f;
        box.Picture = pic.value();
        EXPECT_EQ(box.Width.get(), c.width);
        EXPECT_EQ(box.Height.get(), c.height);
        // Changing the border afterwards resizes the box around the same picture.
        box.BorderStyle = 1 - c.borderStyle;
        EXPECT_EQ(box.Width.get(), 555.0f + 60.0f * static_cast<float>(1 - c.borderStyle));
        EXPECT_EQ(box.Height.get(), 345.0f + 60.0f * static_cast<float>(1 - c.borderStyle));
    }
}

TEST_F(ModelPictures, BareNameResolvesInCurrentDirectory) {
    tmp.mkdir("pics");
    testing_support::writePicture(tmp / "p.bmp", 10, 10);
    testing_support::writePicture(tmp / "pics/p.bmp", 37, 23);
    auto atRoot = rt.loadPicture("p.bmp");
    ASSERT_TRUE(atRoot.ok()) << atRoot.reason();
    EXPECT_EQ(atRoot.value()->widthPx(), 10);
    ASSERT_TRUE(files.chDir("C:\\pics").ok());
    auto inPics = rt.loadPicture("p.bmp");
    ASSERT_TRUE(inPics.ok()) << inPics.reason();
    EXPECT_EQ(inPics.value()->widthPx(), 37);
    EXPECT_EQ(inPics.value()->heightPx(), 23);
}

TEST_F(ModelPictures, FailedLoadAndEmptyPictureLeaveBoxSize) {
    std::ofstream(tmp / "notes.txt") << "just some text\n";
    std::ofstream(tmp / "fake.jpg") << "not a JPEG at all, only text pretending\n";
    testing_support::writePicture(tmp / "p.gif", 37, 23);
    PictureBox& box = probe().get<PictureBox>("Pic");
    box.Picture = rt.loadPicture("C:\\p.gif").value();
    ASSERT_EQ(box.Width.get(), 615.0f);
    for (const char* name : {"notes.txt", "fake.jpg", "missing.bmp"}) {
        SCOPED_TRACE(name);
        const auto r = rt.loadPicture(name);
        EXPECT_FALSE(r.ok());
        EXPECT_FALSE(r.reason().empty());
    }
    box.Picture = nullptr;
    EXPECT_EQ(box.Picture.get(), nullptr);
    EXPECT_EQ(box.Width.get(), 615.0f);
    EXPECT_EQ(box.Height.get(), 405.0f);
}

TEST_F(ModelEvents, CheckBoxValueRaisesClickOnlyWhenItChanges) {
    CheckBox& check = probe().get<CheckBox>("Check");
    log.clear();
    struct Step {
        int value;
        Log expected; // Click sees the new value inside the setter
    };
    const Step steps[] = {
        {1, {}}, {0, {"Check.Click:0"}}, {0, {}}, {2, {"Check.Click:2"}}, {1, {"Check.Click:1"}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.value);
        log.clear();
        check.Value = s.value;
        EXPECT_EQ(log, s.expected);
    }
}

TEST_F(ModelEvents, ListIndexSetterRaisesClickWithItemShown) {
    Probe& f = probe();
    struct Case {
        forms::ListControl& list;
        Log expected;
    };
    const Case cases[] = {
        {f.get<ListBox>("List"), {"List.Click:1"}},
        {f.get<ComboBox>("Combo"), {"Combo.Click:beta"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list.name());
        log.clear();
        c.list.ListIndex = 1;
        EXPECT_EQ(log, c.expected);
        log.clear();
        c.list.ListIndex = 1;
        EXPECT_EQ(log, Log{});
    }
}

TEST_F(ModelEvents, ClickOnSelectedRowStillRunsClick) {
    ListBox& list = shown().get<ListBox>("List");
    rt.clickItem(list, 2);
    EXPECT_EQ(log, (Log{"List.Click:2"}));
    log.clear();
    rt.clickItem(list, 2);
    EXPECT_EQ(log, (Log{"List.Click:2"}));
    EXPECT_EQ(list.ListIndex.get(), 2);
}

TEST_F(ModelEvents, DoubleClickRaisesWhatEachClassHas) {
    // Click then DblClick where the class has a DblClick event; a button and a check box
    // take the second press as a click of its own.
    struct Case {
        const char* control;
        Log expected;
    };
    const Case cases[] = {
        {"Front", {"Front.Click", "Front.Click"}},
        {"Check", {"Check.Click:0", "Check.Click:1"}},
        {"Edit", {"Edit.Click", "Edit.DblClick"}},
        {"Frame", {"Frame.Click", "Frame.DblClick"}},
    };
    Probe& f = shown();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        log.clear();
        rt.doubleClick(*f.find(c.control));
        EXPECT_EQ(log, c.expected);
    }
    log.clear();
    rt.doubleClickItem(f.get<ListBox>("List"), 1);
    EXPECT_EQ(log, (Log{"List.Click:1", "List.DblClick"}));
}

TEST_F(ModelWindows, FirstShowLoadsResizesOnceAndActivates) {
    struct Case {
        int windowState;
        std::string resize;
    };
    // A sizable frame adds 90 x 360 twips to the 9000 x 7000 client area.
    const Case cases[] = {{0, "Resize:9090x7360"}, {2, "Resize:15360x11520"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windowState);
        design.windowState = c.windowState;
        log.clear();
        Probe& f = probe();
        EXPECT_EQ(&probe(), &f);
        EXPECT_EQ(log, Log{"Load"});
        EXPECT_FALSE(f.visible());
        rt.show(f, false);
        EXPECT_TRUE(f.visible());
        EXPECT_EQ(log, (Log{"Load", c.resize, "Activate"}));
        rt.unload(f);
    }
}

TEST_F(ModelWindows, ModalShowReturnsWhenScriptUnloadsOrHides) {
    struct Case {
        bool unload;
        Log expected;
    };
    const Case cases[] = {
        {true, {"Load", "Resize:9090x7360", "Activate", "script", "Unload", "~Probe", "returned"}},
        {false, {"Load", "Resize:9090x7360", "Activate", "script", "returned"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unload ? "unload" : "hide");
        log.clear();
        host.modalScripts["Probe"] = [&](Form& f) {
            log.push_back("script");
            if (c.unload)
                f.Unload();
            else
                f.Hide();
        };
        rt.show(probe(), true);
        log.push_back("returned");
        EXPECT_EQ(log, c.expected);
        EXPECT_EQ(host.modalDepth, 0);
        EXPECT_EQ(rt.isLoaded("Probe"), !c.unload);
    }
    EXPECT_FALSE(probe().visible());
}

TEST_F(ModelWindows, WindowUnloadsItselfFromItsOwnHandler) {
    // A button's Click, and a check box's Click raised inside its Value setter.
    for (const char* name : {"Front", "Check"}) {
        SCOPED_TRACE(name);
        Probe& f = shown();
        f.get<TextBox>("Edit").Text = "changed";
        f.get<CheckBox>("Check").Value.setSilently(0);
        forms::Control& c = *f.find(name);
        c.Click = [this, &f] {
            f.Unload();
            // The window is still there until its handler returns.
            TextBox& edit = f.get<TextBox>("Edit");
            log.push_back("after:" + edit.Text.get() + ":" + std::to_string(f.visible()));
            edit.Text = "touched";
            f.Caption = "closing";
        };
        log.clear();
        rt.click(c);
        EXPECT_EQ(log, (Log{"Unload", "after:changed:0", "~Probe"}));
        EXPECT_FALSE(rt.isLoaded("Probe"));

        // Touching it again loads it afresh from its design, unseen.
        log.clear();
        Probe& again = probe();
        EXPECT_EQ(log, Log{"Load"});
        EXPECT_FALSE(again.visible());
        EXPECT_EQ(again.get<TextBox>("Edit").Text.get(), "hello");
        EXPECT_EQ(again.get<CheckBox>("Check").Value.get(), 1);
        EXPECT_EQ(again.get<ListBox>("List").ListCount(), 3);
        rt.unload(again);
    }
}

TEST_F(ModelWindows, EndThrowsProgramEndedAfterHostEnds) {
    EXPECT_THROW(rt.end(), forms::ProgramEnded);
    EXPECT_TRUE(host.ended);

    host.ended = false;
    CommandButton& quit = shown().get<CommandButton>("Front");
    quit.Click = [this] { rt.end(); };
    EXPECT_THROW(rt.click(quit), forms::ProgramEnded);
    EXPECT_TRUE(host.ended);
    // The handlers' nesting unwound with it: an unload now releases the window at once.
    log.clear();
    rt.unload(probe());
    EXPECT_EQ(log, (Log{"Unload", "~Probe"}));
}

TEST_F(ModelInput, KeyDownReachesFormAndFocusedControl) {
    struct Case {
        bool keyPreview;
        const char* focus; // nullptr: nothing focused
        Log expected;
    };
    const Case cases[] = {
        {true, "Front", {"Form.KeyDown:37", "Front.KeyDown:37"}},
        {false, "Front", {"Front.KeyDown:37"}},
        {false, nullptr, {"Form.KeyDown:37"}},
        {true, nullptr, {"Form.KeyDown:37"}},
    };
    Probe& f = shown();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.keyPreview) + " " + (c.focus ? c.focus : "none"));
        f.KeyPreview = c.keyPreview;
        f.setFocus(c.focus ? f.find(c.focus) : nullptr);
        log.clear();
        rt.keyDown(f, forms::vk::Left);
        EXPECT_EQ(log, c.expected);
    }
}

TEST_F(ModelInput, KeyDiscardedByPreviewNeverReachesControl) {
    Probe& f = shown();
    f.KeyPreview = true;
    f.discardKey = forms::vk::Delete;
    TextBox& edit = f.get<TextBox>("Edit");
    rt.click(edit);
    edit.SelStart = 0;
    log.clear();
    rt.keyDown(f, forms::vk::Delete);
    EXPECT_EQ(log, Log{"Form.KeyDown:46"});
    EXPECT_EQ(edit.Text.get(), "hello"); // nor its default editing
    log.clear();
    rt.keyDown(f, forms::vk::Right);
    EXPECT_EQ(log, (Log{"Form.KeyDown:39", "Edit.KeyDown:39"}));
}

TEST_F(ModelInput, TextBoxTypesAndEdits) {
    Probe& f = shown();
    TextBox& edit = f.get<TextBox>("Edit");
    rt.click(edit);
    ASSERT_EQ(f.focused(), &edit);
    edit.Text = "";
    edit.SelStart = 0;
    struct Step {
        int vk, ch; // as the host delivers a key: KeyDown when vk, then KeyPress when ch
        std::string text;
        long caret;
    };
    const Step steps[] = {
        {'A', 'a', "a", 1},
        {0, 0x416, "aЖ", 2},  // Ж
        {0, 0x44F, "aЖя", 3}, // я
        {forms::vk::Back, 8, "aЖ", 2},
        {forms::vk::Left, 0, "aЖ", 1},
        {'B', 'b', "abЖ", 2},
        {forms::vk::Home, 0, "abЖ", 0},
        {forms::vk::Back, 8, "abЖ", 0},
        {forms::vk::Delete, 0, "bЖ", 0},
        {forms::vk::End, 0, "bЖ", 2},
        {0, 0x401, "bЖЁ", 3}, // Ё
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.text);
        if (s.vk)
            rt.keyDown(f, s.vk);
        if (s.ch)
            rt.keyPress(f, s.ch);
        EXPECT_EQ(edit.Text.get(), s.text);
        EXPECT_EQ(edit.SelStart, s.caret);
    }
    EXPECT_EQ(forms::str::len(edit.Text.get()), 3);
}

TEST_F(ModelInput, MouseMoveGoesToControlUnderPointerOrForm) {
    Probe& f = shown();
    struct Case {
        float x, y;
        std::string expected;
    };
    const Case cases[] = {
        {150, 2100, "Front.MouseMove:50,100"},
        // Inside the frame's border: 3000 + 30 + 100 + 10.
        {3140, 250, "Inner.MouseMove:10,20"},
        {50, 60, "Form.MouseMove:50,60"},
        {8000, 6000, "Form.MouseMove:8000,6000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        log.clear();
        rt.mouseMove(f, c.x, c.y);
        EXPECT_EQ(log, Log{c.expected});
    }
}

TEST_F(ModelInput, HitTestFrontMostFirstAndContainersClip) {
    Probe& f = shown();
    struct Case {
        float x, y;
        const char* expected; // nullptr: the form's surface
    };
    const Case cases[] = {
        {800, 2300, "Front"},  // where Front covers Back
        {1300, 2600, "Back"},  // Back alone
        {3200, 300, "Inner"},  // a child inside the frame
        {3500, 1000, "Frame"}, // the frame's own surface
        {4300, 900, "Poke"},   // the part of Poke inside the frame
        {4480, 900, "Frame"},  // the frame's border, which Poke's clipped part lies under
        {4600, 900, nullptr},  // Poke's part outside the frame is cut off
        {50, 50, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        const forms::Control* hit = rt.hitTest(f, c.x, c.y);
        EXPECT_EQ(hit ? hit->name() : "(form)", c.expected ? c.expected : "(form)");
    }
    f.get<CommandButton>("Front").Visible = false;
    EXPECT_EQ(rt.hitTest(f, 800, 2300), f.find("Back"));
    f.get<PictureBox>("Frame").Visible = false;
    EXPECT_EQ(rt.hitTest(f, 3200, 300), nullptr);
}

} // namespace

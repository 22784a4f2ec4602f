#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/environment.h"
#include "forms/files.h"
#include "forms/form.h"
#include "forms/host.h"
#include "forms/loaded_pictures.h"
#include "forms/picture.h"
#include "forms/result.h"

namespace forms {

// Thrown out of the windows' code when the program ends under a host that returns from
// endProgram (the scripted host of the tests).
struct ProgramEnded {};

using FormFactory = std::function<std::unique_ptr<Form>(Runtime&)>;

// The forms runtime: the windows of the project with their lifetimes, and the services the
// windows' code uses. Everything outside (events, screen, disk, environment) goes through
// replaceable seams.
class Runtime {
  public:
    Runtime(Host& host, FileSystem& files, Environment& env);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    Host& host() const { return host_; }
    FileSystem& files() const { return files_; }
    Environment& env() const { return env_; }

    // The project's windows, by name, in the order given; the first is the start window.
    void registerForm(std::string name, FormFactory factory);
    // Creates and shows the first window of the project.
    void start();

    // The window's one instance, loaded from its design (Form_Load runs) on first use and
    // again after an unload, unseen until shown.
    Form& form(std::string_view name);
    template <class F> F& form(std::string_view name) { return dynamic_cast<F&>(form(name)); }
    bool isLoaded(std::string_view name) const;
    // Whether the project has a window of this name.
    bool isRegistered(std::string_view name) const { return slot(name) != nullptr; }

    void show(Form& f, bool modal);
    void hide(Form& f);
    // Runs Form_Unload and destroys the window; the object itself lives on until no handler
    // is running, so a window may unload itself.
    void unload(Form& f);
    // Ends the program at once.
    [[noreturn]] void end();
    // Runs every pending event.
    void doEvents();
    // Whether a handler of the windows is running now (any input or window operation under
    // way): windows unloaded meanwhile are released once none is.
    bool handlersRunning() const { return depth_ > 0; }

    // Loads a picture file: a bare or relative name resolves against the current directory.
    // An unchanged file that a control still shows gives that same picture, decoded pixels
    // included.
    Result<Picture> loadPicture(std::string_view path) const;
    // A picture of a design (a resource path); empty for "".
    Picture designPicture(const std::string& resource) const;

    // Text extent in twips, through the host's measurement.
    Size2 measureText(const Font& font, std::string_view text) const;

    // Input from the user, as the host (or a test) delivers it. Each runs the handlers it
    // raises, and releases unloaded windows once no handler runs any more.
    void click(Control& c);                     // press and release over a control
    void doubleClick(Control& c);               // a whole double click: Click, then DblClick
    void secondClick(Control& c);               // the second press of a double click
    void clickItem(ListControl& list, int row); // a click on a row of a list
    void doubleClickItem(ListBox& list, int row);
    // The user scrolled a list (wheel, scroll bar) to show `top` first: Scroll when it moved.
    void scroll(ListBox& list, int top);
    void clickForm(Form& f);
    void keyDown(Form& f, int keyCode, int shift = 0);
    void keyUp(Form& f, int keyCode, int shift = 0);
    void keyPress(Form& f, int keyAscii);
    // Mouse movement at a point of the form (twips, client coordinates).
    void mouseMove(Form& f, float x, float y);
    // The close box (or the window manager's close request): the window unloads; the start
    // window's ends the program.
    void closeBox(Form& f);

    // The front-most visible control at a point of the form, nullptr for the form's surface.
    Control* hitTest(const Form& f, float x, float y) const;
    // A control's position in the form's client coordinates.
    static std::pair<float, float> formPosition(const Control& c);

  private:
    struct Slot {
        std::string name;
        FormFactory factory;
        std::unique_ptr<Form> instance;
    };
    Slot* slot(std::string_view name);
    const Slot* slot(std::string_view name) const;
    // Puts a window being shown where its design says: maximized, or by its start-up
    // position, centred on its owner or the screen.
    void place(Form& f, const Form* owner);
    const Form* startForm() const;

    // Counts how deep handlers are nested; when the outermost ends, windows unloaded
    // meanwhile are released.
    class Dispatch {
      public:
        explicit Dispatch(Runtime& rt) : rt_(rt) { ++rt_.depth_; }
        ~Dispatch() {
            if (--rt_.depth_ == 0)
                rt_.retired_.clear();
        }
        Dispatch(const Dispatch&) = delete;
        Dispatch& operator=(const Dispatch&) = delete;

      private:
        Runtime& rt_;
    };

    Host& host_;
    FileSystem& files_;
    Environment& env_;
    std::vector<Slot> slots_;
    std::vector<std::unique_ptr<Form>> retired_;
    std::vector<Form*> modals_; // windows shown modally, innermost last
    int depth_ = 0;
    mutable LoadedPictures pictures_;
};

} // namespace forms

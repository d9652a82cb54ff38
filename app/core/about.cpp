#include "app/core/about.h"

#include "app/core/texts.h"

namespace Chromell {

Form1View& AboutInstance::Show(const std::function<Form1View*()>& create) {
    if (open_ == nullptr) {
        open_ = create();
    }
    Form1View& window = *open_;
    window.Restore();
    window.Show();
    window.BringToFront();
    return window;
}

void Supz_Click(Form1View& about) {
    about.ShowProgramModalMessage(Texts::kAppTitle, Texts::kHandleList);
}

void AboutInstance::Unloaded(const Form1View& window) {
    if (open_ == &window) {
        open_ = nullptr;
    }
}

bool LoadedWindows::Unloaded() {
    if (count_ > 0) {
        --count_;
    }
    return count_ == 0;
}

} // namespace Chromell

#pragma once
// What the main window's model asks of the windows around it: the help page, the About box, the options window
// shown modally, closing the program. The Qt main window answers; tests record the requests.

#include "bracket/PlayoffFormats.h"

#include <optional>

namespace kivp {

class MainFormView {
public:
    virtual ~MainFormView() = default;
    // The help page's contents (Help > Contents, F1).
    virtual void showHelpContents() = 0;
    // The About box, modal, centred over the main window.
    virtual void showAbout() = 0;
    // The options window, modal, centred over the main window; returns when it closes.
    virtual void showOptionsWindow() = 0;
    // Closes the main window, which ends the program.
    virtual void closeMainWindow() = 0;
    // The game log window, beside the main window (Edit > Game Log). A view without one ignores it.
    virtual void showGameLog() {}
    // The field of a custom bracket (teams and halves), starting from current; nothing when the user cancels.
    virtual std::optional<CustomBracket> chooseCustomBracket(const CustomBracket& current) {
        (void)current;
        return std::nullopt;
    }
};

} // namespace kivp

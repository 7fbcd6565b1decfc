#pragma once

#include <QString>

namespace sorvanto {

// The modal dialogs the program shows.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box with an error icon and an OK button.
    virtual void showError(const QString& title, const QString& text) = 0;
};

}  // namespace sorvanto

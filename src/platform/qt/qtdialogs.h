#pragma once

#include "../dialogs.h"

namespace sorvanto {

class QtDialogs final : public Dialogs {
public:
    void showError(const QString& title, const QString& text) override;
};

}  // namespace sorvanto

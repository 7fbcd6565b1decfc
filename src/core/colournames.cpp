// SPDX-License-Identifier: GPL-3.0-or-later
#include "colournames.h"

namespace sorvanto {

const std::vector<ColourName>& colourIdentifiers() {
    static const std::vector<ColourName> table = {
        {"clBlack", clBlack},
        {"clMaroon", clMaroon},
        {"clGreen", clGreen},
        {"clOlive", clOlive},
        {"clNavy", clNavy},
        {"clPurple", clPurple},
        {"clTeal", clTeal},
        {"clGray", clGray},
        {"clSilver", clSilver},
        {"clRed", clRed},
        {"clLime", clLime},
        {"clYellow", clYellow},
        {"clBlue", clBlue},
        {"clFuchsia", clFuchsia},
        {"clAqua", clAqua},
        {"clWhite", clWhite},
        {"clMoneyGreen", clMoneyGreen},
        {"clSkyBlue", clSkyBlue},
        {"clCream", clCream},
        {"clMedGray", clMedGray},
        {"clActiveBorder", clActiveBorder},
        {"clActiveCaption", clActiveCaption},
        {"clAppWorkSpace", clAppWorkSpace},
        {"clBackground", clBackground},
        {"clBtnFace", clBtnFace},
        {"clBtnHighlight", clBtnHighlight},
        {"clBtnShadow", clBtnShadow},
        {"clBtnText", clBtnText},
        {"clCaptionText", clCaptionText},
        {"clGradientActiveCaption", clGradientActiveCaption},
        {"clGradientInactiveCaption", clGradientInactiveCaption},
        {"clGrayText", clGrayText},
        {"clHighlight", clHighlight},
        {"clHighlightText", clHighlightText},
        {"clInactiveBorder", clInactiveBorder},
        {"clInactiveCaption", clInactiveCaption},
        {"clInactiveCaptionText", clInactiveCaptionText},
        {"clInfoBk", clInfoBk},
        {"clInfoText", clInfoText},
        {"clMenu", clMenu},
        {"clMenuText", clMenuText},
        {"clScrollBar", clScrollBar},
        {"cl3DDkShadow", cl3DDkShadow},
        {"cl3DLight", cl3DLight},
        {"clWindow", clWindow},
        {"clWindowFrame", clWindowFrame},
        {"clWindowText", clWindowText},
    };
    return table;
}

QString displayName(const char* identifier) {
    const QString bare = QString::fromLatin1(identifier).mid(2);
    QString name;
    for (qsizetype i = 0; i < bare.size(); ++i) {
        if (i > 0 && bare[i].isUpper()) name += u' ';
        name += bare[i];
    }
    return name;
}

}  // namespace sorvanto

// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_layout.h"

namespace sorvanto {

using layout::Control;
using layout::Font;
using layout::Kind;

namespace {

constexpr Font arial(int height, TColor colour) { return {"Arial", height, true, colour}; }

// Read beside the window's control table: name, kind, parent, place and size, then properties.
// Laid out by hand, one control to a row, for reading as a table.
// clang-format off
const Control controls[] = {
    {.name = "Panel1", .kind = Kind::Panel, .parent = "frmmain", .left = 0, .top = 0, .width = 536, .height = 341,
     .align = Align::Client, .colour = clWhite, .tabOrder = 0, .bevelInnerLowered = true},
    {.name = "Panel2", .kind = Kind::Panel, .parent = "Panel1", .left = 2, .top = 296, .width = 532, .height = 43,
     .align = Align::Bottom, .colour = clWhite, .tabOrder = 0, .bevelInnerLowered = true},
    {.name = "btnspok1", .kind = Kind::SpeedButton, .parent = "Panel2", .left = 488, .top = 4, .width = 39,
     .height = 32, .text = "OK", .font = arial(16, clBlue), .visible = false},
    {.name = "btnspexit", .kind = Kind::SpeedButton, .parent = "Panel2", .left = 492, .top = 5, .width = 39,
     .height = 36, .text = "sair", .font = arial(11, clBlue), .glyph = ":/glyphs/exit.png"},
    {.name = "RichEdit1", .kind = Kind::RichEdit, .parent = "Panel1", .left = 2, .top = 77, .width = 532,
     .height = 219, .align = Align::Client, .text = "está na hora de levantar dessa cadeira!!!",
     .font = arial(21, clRed), .colour = clWindow, .accessibleName = "texto do sorvanto", .tabOrder = 1},
    {.name = "Panel3", .kind = Kind::Panel, .parent = "Panel1", .left = 2, .top = 2, .width = 532, .height = 75,
     .align = Align::Top, .colour = clNavy, .tabOrder = 2, .bevelInnerLowered = true, .autoSize = true},
    {.name = "Label4", .kind = Kind::Label, .parent = "Panel3", .left = 184, .top = 44, .width = 25, .height = 13,
     .text = "Label4", .visible = false},
    {.name = "editmsg1", .kind = Kind::Edit, .parent = "Panel3", .left = 144, .top = 55, .width = 353, .height = 18,
     .text = "escreva seu texto de sorvanto abaixo                                                        :",
     .font = arial(12, clYellow), .colour = clNavy, .accessibleName = "mensagem do sorvanto", .tabOrder = 0,
     .readOnly = true, .border = false, .autoSelect = false},
    {.name = "rdgrpativo", .kind = Kind::RadioGroup, .parent = "Panel3", .left = 378, .top = 2, .width = 149,
     .height = 41, .font = arial(9, clYellow), .hint = "ative´desative o sorvanto programado", .tabOrder = 1,
     .items = {"Ativado", "Desativado"}, .columns = 2, .itemIndex = 1},
    {.name = "Panel4", .kind = Kind::Panel, .parent = "Panel3", .left = 300, .top = 5, .width = 52, .height = 34,
     .colour = clNavy, .tabOrder = 2, .autoSize = true},
    {.name = "Label2", .kind = Kind::Label, .parent = "Panel4", .left = 3, .top = 1, .width = 48, .height = 14,
     .text = "Intervalo", .font = arial(11, clYellow)},
    {.name = "Spininterval", .kind = Kind::SpinEdit, .parent = "Panel4", .left = 1, .top = 14, .width = 50,
     .height = 19, .text = "1", .font = arial(9, clWindowText),
     .hint = "defina aqui em quantos minutos você deseja que o sorvanto apareça !!!", .accessibleName = "Intervalo",
     .tabOrder = 0, .minValue = 1, .maxValue = 2880},
    {.name = "Panel5", .kind = Kind::Panel, .parent = "Panel3", .left = 139, .top = 5, .width = 143, .height = 36,
     .colour = clNavy, .tabOrder = 3, .autoSize = true},
    {.name = "btnspfont", .kind = Kind::SpeedButton, .parent = "Panel5", .left = 1, .top = 15, .width = 57,
     .height = 20, .text = "A", .font = Font{"Script", 32, true, clRed},
     .hint = "clique aqui para  modificar a fonte da letra do sorvanto!"},
    {.name = "Label1", .kind = Kind::Label, .parent = "Panel5", .left = 72, .top = 1, .width = 60, .height = 11,
     .text = "cor do fundo", .font = arial(9, clYellow),
     .hint = "escolha aqui a cor do fundo do aviso que vc programou!"},
    {.name = "Label3", .kind = Kind::Label, .parent = "Panel5", .left = 3, .top = 1, .width = 55, .height = 11,
     .text = "cor da fonte", .font = arial(9, clYellow),
     .hint = "escolha aqui a cor do fundo do aviso que vc programou!"},
    {.name = "ColorBox1", .kind = Kind::ColorBox, .parent = "Panel5", .left = 62, .top = 15, .width = 80,
     .height = 18, .font = Font{"Arial", 15, true, clWindowText},
     .hint = "escolha aqui a cor do fundo do aviso que vc programou!", .accessibleName = "cor do fundo",
     .tabOrder = 0, .selected = clWhite, .itemHeight = 12, .dropDownCount = 8},
    {.name = "Panel6", .kind = Kind::Panel, .parent = "Panel3", .left = 4, .top = 3, .width = 114, .height = 40,
     .colour = clNavy, .tabOrder = 4, .autoSize = true},
    {.name = "Labelsom", .kind = Kind::Label, .parent = "Panel6", .left = 20, .top = 1, .width = 26, .height = 15,
     .text = "Som", .font = arial(12, clYellow)},
    {.name = "editsom", .kind = Kind::Edit, .parent = "Panel6", .left = 19, .top = 16, .width = 94, .height = 21,
     .font = Font{"MS Sans Serif", 9, false, clWindowText}, .hint = "clique duas vezes paraescolher o som!",
     .accessibleName = "Som", .tabOrder = 0},
    {.name = "chkbxsom", .kind = Kind::CheckBox, .parent = "Panel6", .left = 1, .top = 14, .width = 14,
     .height = 25, .hint = "marque aqui se deseja ouvir um som no momento do sorvanto", .tabOrder = 1},
};
// clang-format on

const layout::MenuItem menuItems[] = {
    {"VelmoraSORVANTO1", "Velmora - SORVANTO"},
    {"N1", "-"},
    {"Configuraes1", "Configurações"},
    {"Sair1", "Sair"},
};

}  // namespace

const layout::Form frmmainForm = {
    "frmmain", "Velmora-SORVANTO Vrs. 1.0", 536, 341, clBtnFace, Font{"MS Sans Serif", 11, false, clWindowText}};

const Font FontDialog1Font = {"MS Sans Serif", 24, true, clRed};

const OpenFileOptions OpenDialog1Options = {.initialDir = {},
                                            .fileName = QStringLiteral("*.wav"),
                                            .filterLabel = QStringLiteral("waves sounds"),
                                            .filterPattern = QStringLiteral("*.wav"),
                                            .defaultExtension = QStringLiteral("wav")};

std::span<const Control> frmmainControls() { return controls; }

std::span<const layout::MenuItem> PopupMenu1Items() { return menuItems; }

}  // namespace sorvanto

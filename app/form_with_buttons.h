#pragma once

#include <initializer_list>

class QDialog;
class QLayout;
class QPushButton;

namespace keelmark {

// Lays out a small dialog as its fields above a row of buttons at the bottom right.
void LayOutFormWithButtons(QDialog& dialog, QLayout* form,
                           std::initializer_list<QPushButton*> buttons);

}  // namespace keelmark

#pragma once
// The rows that refer to another object by its index (-1 for none) and show
// its name: pictures (SELECT from the picture chooser, EDIT paints, DELETE
// clears), sounds (SELECT from the object chooser, DELETE) and squares
// (LOCKON picks one on the map, DELETE). Double-clicking the text selects
// the object referred to.

#include "editor/pages/button_row_field.h"

namespace banmen {

class PictureField : public ButtonRowField {
    Q_OBJECT

  public:
    using ButtonRowField::ButtonRowField;
    void doubleClicked(int control) override;

  protected:
    QString shownText() const override;
    void select() override;
    void paint() override;
    void clear() override;
};

class SoundField : public ButtonRowField {
    Q_OBJECT

  public:
    using ButtonRowField::ButtonRowField;
    void doubleClicked(int control) override;

  protected:
    QString shownText() const override;
    void select() override;
    void clear() override;
};

// Jumps, a player's start and (through the record's route link, which
// leaves an existing route alone) the next squares.
class SquareField : public ButtonRowField {
    Q_OBJECT

  public:
    using ButtonRowField::ButtonRowField;
    void doubleClicked(int control) override;
    void picked(int square) override;

  protected:
    QString shownText() const override;
    void clear() override;
};

}  // namespace banmen

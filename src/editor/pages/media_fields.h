#pragma once
// The rows of an image's and a sound's own settings and of the game's help:
// the file name (SELECT brings a file into the workspace, EDIT paints an
// image's picture, DELETE clears the name), the transparent colour shown as
// "%06X" (SELECT opens the colour chooser at the current colour, DELETE sets
// none) and the help text shown in one line (EDIT opens the help editor,
// DELETE empties it).

#include "editor/pages/button_row_field.h"

namespace banmen {

class FileNameField : public ButtonRowField {
    Q_OBJECT

  public:
    using ButtonRowField::ButtonRowField;

  protected:
    QString shownText() const override;
    void select() override;
    void paint() override;
    void clear() override;

  private:
    void writeText(const std::string& cp932);
};

class ColourField : public ButtonRowField {
    Q_OBJECT

  public:
    using ButtonRowField::ButtonRowField;

  protected:
    QString shownText() const override;
    void select() override;
    void clear() override;
};

class HelpTextField : public ButtonRowField {
    Q_OBJECT

  public:
    using ButtonRowField::ButtonRowField;

  protected:
    QString shownText() const override;
    void paint() override;
    void clear() override;
};

// A record colour 0x00BBGGRR as the page shows it ("FF00FF"); empty for -1.
QString colourText(std::int32_t colour);

}  // namespace banmen

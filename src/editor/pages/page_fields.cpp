#include "editor/pages/page_fields.h"

#include "editor/pages/choice_row_field.h"
#include "editor/pages/media_fields.h"
#include "editor/pages/number_row_field.h"
#include "editor/pages/reference_fields.h"
#include "editor/pages/text_row_field.h"
#include "editor/pages/update_row_field.h"

namespace banmen {

PageField* makePageField(const RowSpec& row, TablePage& page) {
    switch (row.type) {
        case RowType::Text:
        case RowType::TwoLines:
            return new TextRowField(row, page);
        case RowType::Number:
        case RowType::Count:
        case RowType::DataValue:
            return new NumberRowField(row, page);
        case RowType::Choice:
            return new ChoiceRowField(row, page);
        case RowType::Picture:
            return new PictureField(row, page);
        case RowType::Sound:
            return new SoundField(row, page);
        case RowType::Square:
        case RowType::NextSquare:
            return new SquareField(row, page);
        case RowType::Update:
            return new UpdateRowField(row, page);
        case RowType::HelpText:
            return new HelpTextField(row, page);
        case RowType::ImageFile:
        case RowType::SoundFile:
            return new FileNameField(row, page);
        case RowType::TransparentColour:
            return new ColourField(row, page);
    }
    return new TextRowField(row, page);
}

}  // namespace banmen

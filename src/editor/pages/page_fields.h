#pragma once
// Makes the field widget of a row.

#include "editor/pages/page_rows.h"

namespace banmen {

class PageField;
class TablePage;

PageField* makePageField(const RowSpec& row, TablePage& page);

}  // namespace banmen

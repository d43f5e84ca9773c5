#pragma once

#include <QByteArray>

namespace schedule_import {

// A spreadsheet programme as conferences in Japan hand it out names its
// columns in more ways than the programme's own header has ("演題名",
// "筆頭演者", "開始時間"); such a header is put in the words the programme
// reader knows, the rest of the file as it was. Columns of neither (所属,
// 座長, 会場) are left for the reader to pass over.
QByteArray withProgrammeHeader(const QByteArray &bytes);

} // namespace schedule_import

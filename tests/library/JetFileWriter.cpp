#include "tests/library/JetFileWriter.h"

#include <QtEndian>
#include <array>
#include <stdexcept>

namespace sorv::test {

namespace {

constexpr int kPageSize = 4096;
constexpr int kDataHeader = 14;  // type, 1, free space, owner page, 4 unknown, row count
constexpr int kColumnEntry = 25;
constexpr int kColumnsStart = 63;
constexpr int kUsageMapSize = 64;  // map type, first page, then one bit per page
constexpr quint32 kHeaderKey = 0x6b39dac7;

[[noreturn]] void refuse(const QString& why) {
  throw std::invalid_argument(why.toStdString());
}

struct Page {
  QByteArray bytes = QByteArray(kPageSize, '\0');
  void put8(int at, int value) { bytes[at] = static_cast<char>(value); }
  void put16(int at, int value) { qToLittleEndian<quint16>(value, bytes.data() + at); }
  void put32(int at, qint64 value) { qToLittleEndian<quint32>(value, bytes.data() + at); }
  void putBytes(int at, const QByteArray& data) { bytes.replace(at, data.size(), data); }
};

void append16(QByteArray& out, int value) {
  out.append(static_cast<char>(value & 0xff)).append(static_cast<char>((value >> 8) & 0xff));
}

QByteArray utf16(const QString& text) {
  QByteArray out;
  for (QChar c : text) append16(out, c.unicode());
  return out;
}

// Jet 4 stores text as UTF-16LE, or "compressed" (FF FE, then one byte per character) when
// every character fits a byte; readers must handle both.
QByteArray encodeText(const QString& text) {
  for (QChar c : text) {
    if (c.unicode() == 0 || c.unicode() > 0xff) return utf16(text);
  }
  return text.isEmpty() ? QByteArray() : QByteArray("\xff\xfe") + text.toLatin1();
}

// The header page hides its settings under RC4 with a fixed key.
void rc4(QByteArray& data, int from, int length, quint32 key) {
  std::array<quint8, 256> s{};
  for (int i = 0; i < 256; ++i) s[i] = static_cast<quint8>(i);
  const quint8 k[4] = {quint8(key), quint8(key >> 8), quint8(key >> 16), quint8(key >> 24)};
  for (int i = 0, j = 0; i < 256; ++i) {
    j = (j + s[i] + k[i % 4]) & 0xff;
    std::swap(s[i], s[j]);
  }
  for (int n = 0, i = 0, j = 0; n < length; ++n) {
    i = (i + 1) & 0xff;
    j = (j + s[i]) & 0xff;
    std::swap(s[i], s[j]);
    data[from + n] = static_cast<char>(data[from + n] ^ s[(s[i] + s[j]) & 0xff]);
  }
}

bool isFixed(JetType type) {
  return type != JetType::Text && type != JetType::Ole;
}

int fixedSize(JetType type) {
  switch (type) {
    case JetType::Byte:
      return 1;
    case JetType::Int:
      return 2;
    case JetType::LongInt:
      return 4;
    default:
      return 0;  // a boolean lives in the null mask
  }
}

// Where each column sits in a row: fixed columns by byte offset, variable ones by index.
struct Layout {
  QVector<int> slot;
  int fixedBytes = 0;
  int varCount = 0;
  explicit Layout(const QVector<JetColumn>& columns) {
    for (const JetColumn& c : columns) {
      slot << (isFixed(c.type) ? fixedBytes : varCount++);
      fixedBytes += fixedSize(c.type);
    }
  }
};

void putFixed(QByteArray& row, int at, const JetColumn& column, const QVariant& value) {
  const qint64 n = value.toLongLong();
  const qint64 low = column.type == JetType::Byte  ? 0
                     : column.type == JetType::Int ? -32768
                                                   : INT32_MIN;
  const qint64 high = column.type == JetType::Byte  ? 255
                      : column.type == JetType::Int ? 32767
                                                    : INT32_MAX;
  if (n < low || n > high) refuse(column.name + ": value out of range");
  for (int b = 0; b < fixedSize(column.type); ++b) row[at + b] = static_cast<char>(n >> (8 * b));
}

QByteArray varValue(const JetColumn& column, const QVariant& value) {
  if (column.type == JetType::Ole) refuse(column.name + ": only nulls are written to OLE columns");
  const QString text = value.toString();
  if (text.size() > column.maxChars) refuse(column.name + ": text longer than the column");
  return encodeText(text);
}

// A row: column count, fixed area, variable data, end offset, variable offsets from last to
// first, variable count, null mask (bit set = present; for booleans the value).
QByteArray packRow(const JetTable& table, const Layout& layout, const QVariantList& values) {
  const int count = table.columns.size();
  if (values.size() != count) refuse(table.name + ": a row with the wrong number of values");
  QByteArray row;
  append16(row, count);
  row.append(QByteArray(layout.fixedBytes, '\0'));
  QByteArray mask((count + 7) / 8, '\0');
  QVector<int> varOffsets(layout.varCount);
  for (int i = 0; i < count; ++i) {
    const JetColumn& column = table.columns[i];
    const bool present = column.type == JetType::Bool ? values[i].toBool() : !values[i].isNull();
    if (present) mask[i / 8] = static_cast<char>(mask[i / 8] | (1 << (i % 8)));
    if (!isFixed(column.type)) varOffsets[layout.slot[i]] = row.size();
    if (!present || column.type == JetType::Bool) continue;
    if (isFixed(column.type)) {
      putFixed(row, 2 + layout.slot[i], column, values[i]);
    } else {
      row.append(varValue(column, values[i]));
    }
  }
  if (layout.varCount > 0) {
    append16(row, row.size());
    for (int v = layout.varCount - 1; v >= 0; --v) append16(row, varOffsets[v]);
    append16(row, layout.varCount);
  }
  return row + mask;
}

// Rows are stored from the end of the page backwards; the offset table grows from the header.
Page dataPage(int ownerPage, const QVector<QByteArray>& rows) {
  Page page;
  int end = kPageSize;
  for (int i = 0; i < rows.size(); ++i) {
    end -= rows[i].size();
    page.putBytes(end, rows[i]);
    page.put16(kDataHeader + 2 * i, end);
  }
  page.put8(0, 0x01);
  page.put8(1, 0x01);
  page.put16(2, end - kDataHeader - 2 * rows.size());
  page.put32(4, ownerPage);
  page.put16(12, rows.size());
  return page;
}

QVector<QVector<QByteArray>> splitIntoPages(const QVector<QByteArray>& rows) {
  QVector<QVector<QByteArray>> pages;
  int used = kPageSize;
  for (const QByteArray& row : rows) {
    if (kDataHeader + row.size() + 2 > kPageSize)
      refuse(QStringLiteral("a row larger than a page"));
    if (used + row.size() + 2 > kPageSize) {
      pages.emplaceBack();
      used = kDataHeader;
    }
    pages.last() << row;
    used += row.size() + 2;
  }
  return pages;
}

QByteArray usageMap(int firstPage, int pageCount) {
  QByteArray map(kUsageMapSize, '\0');  // map type 0, first page 0
  for (int p = firstPage; p < firstPage + pageCount; ++p) {
    if (5 + p / 8 >= kUsageMapSize) refuse(QStringLiteral("too many pages for the usage map"));
    map[5 + p / 8] = static_cast<char>(map[5 + p / 8] | (1 << (p % 8)));
  }
  return map;
}

void putColumnEntry(Page& page, int at, int index, const JetColumn& column, int slot) {
  const bool text = column.type == JetType::Text;
  page.put8(at, static_cast<int>(column.type));
  page.put16(at + 5, index);
  page.put16(at + 7, isFixed(column.type) ? 0 : slot);
  page.put16(at + 9, index);
  page.put16(at + 11, text ? 0x0409 : 0);                        // text sort order "General"
  page.put8(at + 15, (isFixed(column.type) ? 0x01 : 0) | 0x02);  // fixed, may be null
  page.put8(at + 16, text ? 0x01 : 0);                           // unicode compression allowed
  page.put16(at + 21, isFixed(column.type) ? slot : 0);
  page.put16(at + 23, text ? 2 * column.maxChars : fixedSize(column.type));
}

// The table definition: row count, column counts, the page rows of its usage and free-space
// maps, then one entry per column and the column names.
Page tableDefinition(const JetTable& table, int rowCount, int mapPageRow, bool system) {
  const Layout layout(table.columns);
  Page page;
  page.put8(0, 0x02);
  page.put8(1, 0x01);
  page.put32(16, rowCount);
  page.put8(40, system ? 0x53 : 0x4e);
  page.put16(41, table.columns.size());
  page.put16(43, layout.varCount);
  page.put16(45, table.columns.size());
  page.put32(55, mapPageRow);
  page.put32(59, mapPageRow + 1);
  int at = kColumnsStart;
  for (int i = 0; i < table.columns.size(); ++i, at += kColumnEntry) {
    putColumnEntry(page, at, i, table.columns[i], layout.slot[i]);
  }
  for (const JetColumn& column : table.columns) {
    const QByteArray name = utf16(column.name);
    if (at + 2 + name.size() > kPageSize) refuse(table.name + ": too many columns");
    page.put16(at, name.size());
    page.putBytes(at + 2, name);
    at += 2 + name.size();
  }
  page.put16(2, kPageSize - at);
  page.put32(8, at);
  return page;
}

Page headerPage() {
  Page page;
  page.put32(0, 0x100);
  page.putBytes(4, QByteArray("Standard Jet DB", 16));
  page.put32(0x14, 1);       // Jet 4
  page.put16(0x6e, 0x0409);  // sort order "General"; the database key at 0x3e stays 0
  rc4(page.bytes, 0x18, 128, kHeaderKey);
  return page;
}

// MSysObjects: one row per table, its Id the page of the table's definition.
JetTable buildCatalog(const QVector<JetTable>& tables, const QVector<int>& definitionPages) {
  JetTable catalog{QStringLiteral("MSysObjects"),
                   {{"Id", JetType::LongInt},
                    {"ParentId", JetType::LongInt},
                    {"Name", JetType::Text, 128},
                    {"Type", JetType::Int},
                    {"Flags", JetType::LongInt},
                    {"LvProp", JetType::Ole}},
                   {}};
  const qint64 systemFlags = static_cast<qint32>(0x80000002);
  catalog.rows << QVariantList{2, 0, catalog.name, 1, systemFlags, QVariant()};
  for (int t = 0; t < tables.size(); ++t) {
    catalog.rows << QVariantList{definitionPages[t], 0, tables[t].name, 1, 0, QVariant()};
  }
  return catalog;
}

QVector<QVector<QByteArray>> packedPages(const JetTable& table) {
  const Layout layout(table.columns);
  QVector<QByteArray> rows;
  for (const QVariantList& values : table.rows) rows << packRow(table, layout, values);
  return splitIntoPages(rows);
}

}  // namespace

// Pages: 0 header, 1 usage maps, 2 the catalog's definition, 3 its data, then per table its
// definition followed by its data pages.
QByteArray buildJetFile(const QVector<JetTable>& tables) {
  QVector<QVector<QVector<QByteArray>>> packed;
  QVector<int> definitionPages;
  int next = 4;
  for (const JetTable& table : tables) {
    packed << packedPages(table);
    definitionPages << next;
    next += 1 + packed.last().size();
  }
  const JetTable catalog = buildCatalog(tables, definitionPages);
  const QVector<QVector<QByteArray>> catalogPages = packedPages(catalog);
  if (catalogPages.size() != 1) refuse(QStringLiteral("too many tables for one catalog page"));

  QVector<QByteArray> maps{usageMap(3, 1), usageMap(0, 0)};
  QByteArray file = headerPage().bytes;
  QByteArray rest = tableDefinition(catalog, catalog.rows.size(), 1 << 8, true).bytes +
                    dataPage(2, catalogPages.first()).bytes;
  for (int t = 0; t < tables.size(); ++t) {
    const int mapRow = (1 << 8) | maps.size();
    maps << usageMap(definitionPages[t] + 1, packed[t].size()) << usageMap(0, 0);
    rest += tableDefinition(tables[t], tables[t].rows.size(), mapRow, false).bytes;
    for (const QVector<QByteArray>& rows : packed[t])
      rest += dataPage(definitionPages[t], rows).bytes;
  }
  return file + dataPage(0, maps).bytes + rest;
}

}  // namespace sorv::test

#include "app/grid_model.h"

#include <QDate>
#include <string>

#include "app/locale_settings.h"
#include "commands/table_display.h"
#include "core/encoding.h"
#include "core/grid.h"
#include "core/workspace.h"

namespace tablamo::app {

QString fromWin1254(std::string_view text) {
    QString s;
    s.reserve(static_cast<qsizetype>(text.size()));
    for (const char c : text) {
        // Every code point of the code page lies in the basic plane.
        s.append(QChar(static_cast<char16_t>(win1254ToUnicode(static_cast<unsigned char>(c)))));
    }
    return s;
}

namespace {

// One cell edit: its text before and after.
class CellEdit : public QUndoCommand {
public:
    CellEdit(GridModel& model, int col, int row, std::string before, std::string after)
        : m_model(model),
          m_col(col),
          m_row(row),
          m_before(std::move(before)),
          m_after(std::move(after)) {}
    void redo() override { m_model.writeCell(m_col, m_row, m_after); }
    void undo() override { m_model.writeCell(m_col, m_row, m_before); }
    int id() const override { return GridModel::kCellEditId; }

private:
    GridModel& m_model;
    int m_col, m_row;
    std::string m_before, m_after;
};

}  // namespace

GridModel::GridModel(Workspace& ws, QObject* parent) : QAbstractTableModel(parent), m_ws(ws) {
    setDisplayLocale(QLocale::system());
}

void GridModel::setDisplayLocale(const QLocale& locale) {
    m_locale = locale;
    m_group = locale.groupSeparator().toStdString();
    m_dateFormat = shortDateDisplayFormat(locale);
}

Grid& GridModel::grid() { return m_ws.grid(); }

bool GridModel::isCleanTable() const { return m_ws.clean().has_value(); }

ColumnKind GridModel::kindOf(int col) const {
    if (!m_ws.clean() || col < 1) return ColumnKind::Text;
    const auto& columns = m_ws.clean()->columns;
    const auto i = static_cast<std::size_t>(col - 1);
    return i < columns.size() ? columns[i].kind : ColumnKind::Text;
}

int GridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return std::max(m_ws.grid().rowCount() - 1, 0);
}

int GridModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || m_ws.grid().rowCount() == 0) return 0;
    return m_ws.grid().colCount() - 1;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const int col = index.column() + 1;
    if (role == Qt::TextAlignmentRole) {
        if (kindOf(col) != ColumnKind::Amount) return {};
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignTop);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    const std::string_view cell = m_ws.grid().cell(col, index.row() + 1);
    // Only what is shown is formatted, and only when asked: the cell stays as it is, and
    // its editor gets it unchanged.
    if (role == Qt::DisplayRole) {
        const RegionalSettings& regional = m_ws.regional;
        switch (kindOf(col)) {
            case ColumnKind::Amount:
                if (groupAmount(cell, regional.decimalSeparator, m_group, m_shown))
                    return QString::fromUtf8(m_shown.data(),
                                             static_cast<qsizetype>(m_shown.size()));
                break;
            case ColumnKind::Date:
                if (const auto d = readDateCell(cell, regional))
                    return m_locale.toString(QDate(d->year, d->month, d->day), m_dateFormat);
                break;
            default:
                break;
        }
    }
    return fromWin1254(cell);
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::EditRole) return false;
    const QString text = value.toString();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t cp : text.toUcs4()) {
        const auto b = unicodeToWin1254(cp);
        if (!b) {
            emit editRefused(QString::fromUcs4(&cp, 1));
            return false;
        }
        bytes += static_cast<char>(*b);
    }
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    if (m_ws.grid().cell(col, row) == bytes) return true;
    m_edits.push(
        new CellEdit(*this, col, row, std::string(m_ws.grid().cell(col, row)), std::move(bytes)));
    return true;
}

void GridModel::writeCell(int col, int row, const std::string& bytes) {
    m_ws.grid().setCell(col, row, bytes);
    const QModelIndex at = index(row - 1, col - 1);
    emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
}

bool GridModel::cellsEdited() const {
    for (int i = m_edits.index() - 1; i >= 0; --i) {
        const int id = m_edits.command(i)->id();
        if (id == kCellEditId) return true;
        if (id == kColumnsEditId) return false;  // the grid was imported again after it
    }
    return false;
}

void GridModel::redoCellEditsBefore(const QUndoCommand* columnsEdit) {
    int at = m_edits.count() - 1;
    while (at >= 0 && m_edits.command(at) != columnsEdit) --at;
    int from = at;
    while (from > 0 && m_edits.command(from - 1)->id() == kCellEditId) --from;
    for (int i = from; i < at; ++i) {
        // The stack hands its steps out as const; redoing one writes only the grid.
        const_cast<QUndoCommand*>(m_edits.command(i))->redo();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) return {};
    if (orientation == Qt::Horizontal) {
        if (section >= columnCount()) return {};
        return fromWin1254(m_ws.grid().cell(section + 1, 0));
    }
    if (section >= rowCount()) return {};
    return fromWin1254(m_ws.grid().cell(0, section + 1));
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

}  // namespace tablamo::app

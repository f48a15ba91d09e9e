// The grid on screen: the Enter key, in-place editing, resizing written back, the model.

#include "app/grid_view.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "core/grid.h"
#include "window_fixture.h"

namespace tablamo::app::testing {
namespace {

// What the model tester reports, collected instead of printed.
std::vector<std::string> g_modelFailures;

void recordModelFailures(QtMsgType, const QMessageLogContext& context, const QString& text) {
    if (context.category && std::string_view(context.category) == "qt.modeltest") {
        g_modelFailures.push_back(text.toStdString());
    }
}

class GridViewTest : public WindowTest {
protected:
    GridView* view() { return window->gridView(); }
    void setCurrent(int col, int row) { view()->setCurrentIndex(model().index(row - 1, col - 1)); }
};

TEST_F(GridViewTest, EnterMovesRightThenToColumnOneOfTheNextRowAndStopsAtTheLastCell) {
    struct Case {
        int col, row;
        int toCol, toRow;
        bool error;
    };
    const Case cases[] = {
        {1, 1, 2, 1, false},    {19, 1, 20, 1, false}, {20, 1, 1, 2, false},
        {20, 23, 1, 24, false}, {5, 24, 6, 24, false}, {20, 24, 20, 24, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.col << "," << c.row);
        ui.errors.clear();
        setCurrent(c.col, c.row);
        QTest::keyClick(view(), Qt::Key_Return);
        EXPECT_EQ(view()->currentIndex().column() + 1, c.toCol);
        EXPECT_EQ(view()->currentIndex().row() + 1, c.toRow);
        EXPECT_EQ(ws().grid().currentCol(), c.toCol);
        EXPECT_EQ(ws().grid().currentRow(), c.toRow);
        if (c.error) {
            EXPECT_EQ(ui.errors, std::vector<std::string>{"Grid index out of range."});
        } else {
            EXPECT_TRUE(ui.errors.empty());
        }
    }
}

TEST_F(GridViewTest, EnterWhileEditingKeepsTheTextInWindows1254AndMoves) {
    view()->show();
    setCurrent(3, 2);
    view()->edit(view()->currentIndex());
    auto* editor = view()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Şişli İğdır"));
    QTest::keyClick(editor, Qt::Key_Enter);
    QApplication::processEvents();
    EXPECT_EQ(ws().grid().cell(3, 2),
              "\xDE"
              "i\xFE"
              "li \xDD\xF0"
              "d\xFD"
              "r");
    EXPECT_EQ(shown(3, 2), QStringLiteral("Şişli İğdır"));
    EXPECT_EQ(ws().grid().currentCol(), 4);
    EXPECT_EQ(ws().grid().currentRow(), 2);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GridViewTest, AnEditWithACharacterOutsideTheCodePageIsRefusedWithAMessage) {
    ws().grid().setCell(2, 1, "eski");
    const struct {
        QString text;
        bool accepted;
        std::string_view stored;
    } cases[] = {
        {QStringLiteral("€ 5"), true, "\x80 5"},
        {QStringLiteral("ok ✓"), false, "\x80 5"},
        {QStringLiteral("日本"), false, "\x80 5"},
        {QString(), true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        ui.messages.clear();
        EXPECT_EQ(model().setData(model().index(0, 1), c.text), c.accepted);
        QApplication::processEvents();
        EXPECT_EQ(ws().grid().cell(2, 1), c.stored);
        EXPECT_EQ(ui.messages.size(), c.accepted ? 0u : 1u);
    }
}

TEST_F(GridViewTest, DraggedColumnWidthsAndRowHeightsAreWrittenIntoTheGrid) {
    view()->horizontalHeader()->resizeSection(1, 160);  // the column with the letter B
    view()->verticalHeader()->resizeSection(2, 40);     // grid row 3
    EXPECT_EQ(ws().grid().colWidth(2), 160);
    EXPECT_EQ(ws().grid().colWidth(3), 100);
    EXPECT_EQ(ws().grid().rowHeight(3), 40);
    EXPECT_EQ(ws().grid().rowHeight(4), 24);
}

TEST_F(GridViewTest, TheHeadersFarEdgesResizeColumnZeroAndRowZero) {
    struct Case {
        QHeaderView* header;
        QPoint grab, drop;
        int expected;
    };
    const Case cases[] = {
        {view()->verticalHeader(), {29, 5}, {59, 5}, 60},    // column 0 wider
        {view()->verticalHeader(), {10, 5}, {80, 5}, 60},    // not at the edge: no change
        {view()->verticalHeader(), {59, 5}, {-50, 5}, 4},    // never too narrow to catch
        {view()->horizontalHeader(), {5, 23}, {5, 39}, 40},  // row 0 higher
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << (&c - cases));
        QWidget* port = c.header->viewport();
        QTest::mousePress(port, Qt::LeftButton, {}, c.grab);
        QTest::mouseMove(port, c.drop);
        QTest::mouseRelease(port, Qt::LeftButton, {}, c.drop);
        const bool column0 = c.header->orientation() == Qt::Vertical;
        EXPECT_EQ(column0 ? ws().grid().colWidth(0) : ws().grid().rowHeight(0), c.expected);
        EXPECT_EQ(column0 ? c.header->width() : c.header->height(), c.expected);
    }
}

TEST_F(GridViewTest, TheViewTakesTheGridsSizesAfterACommandRewritesIt) {
    model().rewrite([&] {
        ws().grid().setColWidth(5, 7 * 19);
        ws().grid().setColWidth(6, -70);  // a negative width setting shows as no width
        ws().grid().setRowHeight(7, 33);
    });
    EXPECT_EQ(view()->columnWidth(4), 133);
    EXPECT_EQ(view()->columnWidth(5), 0);
    EXPECT_EQ(view()->rowHeight(6), 33);
    // Showing a width must not change what the grid (and the HTML page) holds.
    EXPECT_EQ(ws().grid().colWidth(6), -70);
}

TEST_F(GridViewTest, TabMovesToTheNextCell) {
    view()->show();
    setCurrent(20, 1);
    QTest::keyClick(view(), Qt::Key_Tab);
    EXPECT_EQ(ws().grid().currentCol(), 1);
    EXPECT_EQ(ws().grid().currentRow(), 2);
}

TEST_F(GridViewTest, ModelStaysConsistentThroughImportEditAndReset) {
    g_modelFailures.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordModelFailures);
    QAbstractItemModelTester tester(&model(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    press(bar().open(), testReport("muavin.txt"));
    model().setData(model().index(2, 2), QStringLiteral("düzeltme"));
    ui.replies.push_back(true);
    bar().cleanTable()->click();  // typed columns: amounts aligned and grouped
    for (int r = 0; r < model().rowCount(); ++r) model().data(model().index(r, 3));
    press(bar().reset());
    model().rewrite([&] { ws().grid().setRowCount(1); });
    EXPECT_EQ(model().rowCount(), 0);
    model().rewrite([&] { ws().grid().setRowCount(0); });
    EXPECT_EQ(model().columnCount(), 0);
    EXPECT_EQ(model().headerData(0, Qt::Vertical), QVariant());
    qInstallMessageHandler(previous);
    EXPECT_EQ(g_modelFailures, std::vector<std::string>{});
}

TEST_F(GridViewTest, ACleanTableShowsAmountsGroupedRightAndDatesAsTheRegionWrites) {
    ws().regional = RegionalSettings::turkish();
    model().setDisplayLocale(QLocale(QStringLiteral("tr_TR")));
    const std::string ledger =
        std::string(TABLAMO_TEST_DATA) + "/clean/muavin-tek-hesap/report.txt";
    press(bar().open(), ledger);
    const int plainNumbers = view()->verticalHeader()->width();
    EXPECT_FALSE(view()->horizontalHeader()->font().bold());
    EXPECT_EQ(model().data(model().index(2, 4), Qt::TextAlignmentRole), QVariant());
    bar().cleanTable()->click();
    ASSERT_TRUE(ws().clean());

    // Grid row 3: 25.01.2005, "Satış faturası", Borç 116335,56, Bakiye 141523,56.
    const struct {
        int col;
        std::string_view cell;
        const char* shown;
        bool right;
    } cells[] = {
        {1, "25.01.2005", "25.01.2005", false},
        {2, "000400", "000400", false},  // a code is never grouped
        {5, "116335,56", "116.335,56", true},
        {6, "", "", true},
        {7, "141523,56", "141.523,56", true},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(c.col);
        const QModelIndex at = model().index(2, c.col - 1);
        EXPECT_EQ(ws().grid().cell(c.col, 3), c.cell);
        EXPECT_EQ(model().data(at).toString().toStdString(), c.shown);
        EXPECT_EQ(model().data(at, Qt::EditRole).toString().toStdString(), c.cell);
        EXPECT_EQ(model().data(at, Qt::TextAlignmentRole).isValid(), c.right);
    }
    // Another region: its order, separator and grouping; days, months and years in full.
    model().setDisplayLocale(QLocale(QStringLiteral("en_US")));  // "M/d/yy"
    ws().regional = {'.', '/', DateOrder::MonthDayYear};
    ws().grid().setCell(1, 1, "1/5/05");
    ws().grid().setCell(5, 1, "1234567.5");
    EXPECT_EQ(shown(1, 1).toStdString(), "01/05/2005");
    EXPECT_EQ(shown(5, 1).toStdString(), "1,234,567.5");
    model().setDisplayLocale(QLocale(QStringLiteral("sv_SE")));  // "yyyy-MM-dd", a blank
    ws().regional = {',', '-', DateOrder::YearMonthDay};
    ws().grid().setCell(1, 1, "2005-01-05");
    ws().grid().setCell(5, 1, "-1234,5");
    EXPECT_EQ(shown(1, 1).toStdString(), "2005-01-05");
    EXPECT_EQ(shown(5, 1), QStringLiteral("-1\u00A0234,5"));

    // Bold headings, and record numbers of seven digits fit beside the table.
    EXPECT_TRUE(view()->horizontalHeader()->font().bold());
    const int sevenDigits =
        QFontMetrics(view()->verticalHeader()->font()).horizontalAdvance(QStringLiteral("9999999"));
    EXPECT_GT(view()->verticalHeader()->width(), sevenDigits);
    EXPECT_EQ(ws().grid().colWidth(0), plainNumbers);  // what the page is saved with stays
    // A column narrower than its bold heading is shown wide enough for it, in the view only.
    const int yevmiye = QFontMetrics(view()->horizontalHeader()->font())
                            .horizontalAdvance(QStringLiteral("Yevmiye No"));
    EXPECT_LT(ws().grid().colWidth(2), yevmiye);
    EXPECT_GT(view()->columnWidth(1), yevmiye);
    bar().cleanTable()->click();
    EXPECT_EQ(view()->verticalHeader()->width(), plainNumbers);
    EXPECT_FALSE(view()->horizontalHeader()->font().bold());
}

}  // namespace
}  // namespace tablamo::app::testing

#include "app/command_wiring.h"

#include "bank/statement_import.h"
#include "core/ui_port.h"
#include "core/workspace.h"
#include "export/excel_command.h"

// The CSV and HTML writers land after the window; until then their buttons say so.
#if __has_include("export/csv_command.h")
#include "export/csv_command.h"
#define TABLAMO_HAVE_CSV 1
#endif
#if __has_include("export/html_command.h")
#include "export/html_command.h"
#define TABLAMO_HAVE_HTML 1
#endif

namespace tablamo::app {
namespace {

[[maybe_unused]] void notAvailable(UiPort& ui) {
    ui.showMessage("Bu komut bu sürümde henüz kullanılamıyor.");
}

}  // namespace

void openStatement(Workspace& ws, UiPort& ui) { Button13Click(ws, ui); }

void saveExcel(Workspace& ws, UiPort& ui) { Button8Click(ws, ui); }

#ifdef TABLAMO_HAVE_CSV
void saveCsv(Workspace& ws, UiPort& ui) { sButton1Click(ws, ui); }
#else
void saveCsv(Workspace&, UiPort& ui) { notAvailable(ui); }
#endif

#ifdef TABLAMO_HAVE_HTML
void saveHtml(Workspace& ws, UiPort& ui, std::vector<std::string>& htmlView, int width,
              int height) {
    HtmlLayout layout;
    layout.tableWidth = width;
    layout.tableHeight = height;
    Button7Click(ws, ui, htmlView, layout);
}
#else
void saveHtml(Workspace&, UiPort& ui, std::vector<std::string>&, int, int) { notAvailable(ui); }
#endif

}  // namespace tablamo::app

#include "app/command_wiring.h"

#include "bank/statement_import.h"
#include "core/ui_port.h"
#include "core/workspace.h"

#if __has_include("export/csv_command.h")
#include "export/csv_command.h"
#include "export/excel_command.h"
#include "export/html_command.h"
#define TABLAMO_HAVE_EXPORT 1
#endif

namespace tablamo::app {
namespace {

[[maybe_unused]] void notAvailable(UiPort& ui) {
    ui.showMessage("Bu komut bu sürümde henüz kullanılamıyor.");
}

}  // namespace

void openStatement(Workspace& ws, UiPort& ui) { Button13Click(ws, ui); }

#ifdef TABLAMO_HAVE_EXPORT
void saveCsv(Workspace& ws, UiPort& ui) { sButton1Click(ws, ui); }

void saveHtml(Workspace& ws, UiPort& ui, std::vector<std::string>& htmlView, int width,
              int height) {
    HtmlLayout layout;
    layout.tableWidth = width;
    layout.tableHeight = height;
    Button7Click(ws, ui, htmlView, layout);
}

void saveExcel(Workspace& ws, UiPort& ui) { Button8Click(ws, ui); }
#else
void saveCsv(Workspace&, UiPort& ui) { notAvailable(ui); }
void saveHtml(Workspace&, UiPort& ui, std::vector<std::string>&, int, int) { notAvailable(ui); }
void saveExcel(Workspace&, UiPort& ui) { notAvailable(ui); }
#endif

}  // namespace tablamo::app

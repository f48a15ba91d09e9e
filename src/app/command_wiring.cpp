#include "app/command_wiring.h"

#include "bank/statement_import.h"
#include "core/workspace.h"
#include "export/csv_command.h"
#include "export/excel_command.h"
#include "export/html_command.h"

namespace tablamo::app {

void openStatement(Workspace& ws, UiPort& ui) { Button13Click(ws, ui); }

void saveExcel(Workspace& ws, UiPort& ui) { Button8Click(ws, ui); }

void saveCsv(Workspace& ws, UiPort& ui) { sButton1Click(ws, ui); }

void saveHtml(Workspace& ws, UiPort& ui, std::vector<std::string>& htmlView, int width,
              int height) {
    HtmlLayout layout;
    layout.tableWidth = width;
    layout.tableHeight = height;
    Button7Click(ws, ui, htmlView, layout);
}

}  // namespace tablamo::app

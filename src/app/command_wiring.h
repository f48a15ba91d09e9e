#pragma once
/// The export commands and the statement import as the window calls them: the window
/// passes what only it knows (the grid view's size on screen, its HTML view).

#include <string>
#include <vector>

namespace tablamo {
struct Workspace;
class UiPort;
struct HtmlLayout;
}  // namespace tablamo

namespace tablamo::app {

/// "Akbank Aç" (Button13Click).
void openStatement(Workspace& ws, UiPort& ui);
/// "CSV" (sButton1Click).
void saveCsv(Workspace& ws, UiPort& ui);
/// "HTML" (Button7Click): the page goes into `htmlView` first; `width` and `height` are the
/// grid view's size on screen.
void saveHtml(Workspace& ws, UiPort& ui, std::vector<std::string>& htmlView, int width,
              int height);
/// "Excel" (Button8Click).
void saveExcel(Workspace& ws, UiPort& ui);

}  // namespace tablamo::app

#pragma once

#include <QString>
#include <memory>
#include <string>

class QApplication;

namespace korvex {

class MainWindow;
class Prompts;
struct Workspace;

// Application-wide settings every KORVEX window relies on: the style and the icon resources.
void PrepareApplication(QApplication& application);

// Start-up up to the first frame: checks OpenGL, builds the main window with its panel and
// view, makes the working folder current, computes the default job, opens the project at
// projectPath as OPEN does when one is given, and shows the window with the initial view
// direction. A failed OpenGL set-up shows the "Error" box and gives nullptr.
std::unique_ptr<MainWindow> StartKorvex(Prompts& prompts, Workspace& workspace,
                                        const std::string& projectPath = {});

// The whole program: start-up, then events until the window closes. 0 on a normal end. With
// --shop among the arguments the shop window runs instead.
int RunKorvex(QApplication& application);

// The shop window, opening the cut list (.csv) and adding the parts the files name; a file that
// cannot be used is reported and the rest opened. Events until it closes.
int RunShop(const QStringList& files);

}  // namespace korvex

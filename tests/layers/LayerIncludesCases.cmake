# The layer check run on a small src/ tree of its own: it reports exactly the crossings below,
# each at its file and line, and none of the includes the layers may make.
#   cmake -DCHECK=<LayerIncludes.cmake> -DQT_HEADERS=<Qt's include folder> -DWORK=<folder>
#         -P LayerIncludesCases.cmake
cmake_minimum_required(VERSION 3.25)

set(src "${WORK}/src")
file(REMOVE_RECURSE "${WORK}")
set(expected)

# Case(<file under src/> <its text> [<"line: report" the check gives for it>])
function(Case path text)
    file(WRITE "${src}/${path}" "${text}\n")
    if(ARGC GREATER 2)
        list(APPEND expected "src/${path}:${ARGV2}")
        set(expected "${expected}" PARENT_SCOPE)
    endif()
endfunction()

Case(game/QuotesPlatform.h [[#include "platform/MsgBoxStyle.h"]]
    [[1: "platform/MsgBoxStyle.h" is in platform, which game may not use]])
Case(dialogs/AngledUi.h [[#include <ui/frmBasic.h>]]
    [[1: <ui/frmBasic.h> is in ui, which dialogs may not use]])
Case(recent/Relative.cpp [[#include "../files/GameFile.h"]]
    [[1: "../files/GameFile.h" is in files, which recent may not use]])
Case(platform/Guarded.h [[// Windows only.
#ifdef _WIN32
#  include "ui/mdlBasic.h"
#endif]]
    [[3: "ui/mdlBasic.h" is in ui, which platform may not use]])
Case(files/Translations.h [[#include "QtGreek.h"]]
    [[1: "QtGreek.h" is a header of no layer]])
Case(game/QtString.h [[#include <QString>]]
    [[1: <QString> is Qt Core, which game does not link]])
Case(util/Widget.h [[#include <QtWidgets/QWidget>]]
    [[1: <QtWidgets/QWidget> is Qt Widgets, which util does not link]])
Case(resources/Label.h [[#include <QLabel>]]
    [[1: <QLabel> is Qt Widgets, which resources does not link]])
Case(game/Posix.h [[#include <unistd.h>]]
    [[1: <unistd.h> is not the C++ standard library, all that game may use]])
Case(extra/Loose.h [[#include <vector>]])
list(APPEND expected "src/extra/: a folder that is no layer")

Case(game/Allowed.h [[#include "Posix.h"
#include "game/Board.h"
#include <cstdint>
#include <vector>]])
Case(util/Allowed.h [[#include <QString>
#include <QtCore/QChar>]])
Case(resources/Allowed.h [[#include <QPixmap>
#include "game/Board.h"]])
Case(dialogs/Allowed.cpp [[// #include "ui/frmBasic.h" is what the link avoids.
#include "platform/Desktop.h"
#include "resources/Artwork.h"
#include <QWidget>
#include "Allowed.moc"]])
Case(ui/Allowed.cpp [[#include "dialogs/frmOptions.h"
#include "files/GameFile.h"
#include <QMainWindow>]])
foreach(layer util game platform files recent resources dialogs ui)
    file(MAKE_DIRECTORY "${src}/${layer}")
endforeach()

execute_process(COMMAND "${CMAKE_COMMAND}" "-DSRC=${src}" "-DQT_HEADERS=${QT_HEADERS}"
                        -P "${CHECK}"
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
string(REPLACE "\n" ";" lines "${errors}")
set(reported)
foreach(line IN LISTS lines)
    if(line MATCHES "^src/")
        list(APPEND reported "${line}")
    endif()
endforeach()

list(SORT expected)
list(SORT reported)
if(result EQUAL 0 OR NOT reported STREQUAL expected)
    set(missing ${expected})
    list(REMOVE_ITEM missing ${reported})
    set(unexpected ${reported})
    list(REMOVE_ITEM unexpected ${expected})
    foreach(line IN LISTS missing)
        message(NOTICE "not reported: ${line}")
    endforeach()
    foreach(line IN LISTS unexpected)
        message(NOTICE "reported wrongly: ${line}")
    endforeach()
    message(NOTICE "the check's own output, exit ${result}:\n${errors}")
    message(FATAL_ERROR "the check's reports differ from the cases")
endif()

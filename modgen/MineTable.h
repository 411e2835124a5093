#pragma once

#include "data/Xml.h"

#include <QList>
#include <QString>
#include <optional>

// The five mines that can produce extra helium, in the order of reading and of every emission into the
// mod. The sixth row of "GasMines.xml" (1010309, Zementmine) is deliberately absent: it is never read.
struct HeliumMine {
    const char* guid;
    const char* name;          // the mine's name in "GasMines.xml", also the comment in the buff's targets
    const char* switchControl; // object name of the mine's switch in the dialog "Gasproduktion"
};

const QList<HeliumMine>& HeliumMines();

// "//GasMine[@GUID="…"]" for the mine.
QString MineQuery(const QString& guid);

// The mine's state: the text of the attribute at position 2 of its row (taken by position, not by name;
// the file's layout puts Status there). Empty when the row is missing or has no third attribute.
std::optional<QString> ReadMineState(const XmlDocument& mines, const QString& guid);

// Only the exact text "true" switches a mine on.
bool MineStateIsOn(const std::optional<QString>& state);

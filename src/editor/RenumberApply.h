#pragma once

#include "common/FileOps.h"
#include "editor/RenumberPlan.h"

#include <QString>

// Writes a renumbering all or nothing (see FileSetWriter). Before anything is written it
// makes sure that every file still holds what the plan was made from and that no file has
// appeared where one is to be made: otherwise it writes nothing and says which file
// changed. False with the user's message in `error`.
bool applyRenumbering(const RenumberPlan &plan, QString &error, FileOps &ops = FileOps::system());

// Every file still holds what the plan was made from and no file is where one is to be
// made; otherwise false with the message naming the file that changed.
bool renumberPlanStillHolds(const RenumberPlan &plan, QString &error, FileOps &ops = FileOps::system());

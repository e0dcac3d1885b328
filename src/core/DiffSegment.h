#pragma once

#include <QString>
#include <QUuid>

#include "core/Enums.h"

namespace ts {

struct DiffSegment {
    QUuid id;  // fresh whenever a segment is created or extended
    DiffOp op = DiffOp::equal;
    QString text;

    friend bool operator==(const DiffSegment&, const DiffSegment&) = default;
};

}  // namespace ts

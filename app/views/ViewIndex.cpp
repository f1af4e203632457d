#include "views/ViewIndex.h"

#include "common/AppIcons.h"

const ViewLook kViewLooks[kLastPaneView + 1] = {
    {L"0001", kIconRoot},       {L"0002", kIconTel},         {L"0003", kIconGroup},  {L"0004", kIconAllRec},
    {L"0005", kIconOutbound},   {L"0006", kIconInbound},     {L"0007", kIconMissed}, {L"0008", kIconAutoAnswer},
    {L"0009", kIconVoiceCalls}, {L"0290", kIconSearchFiles}, {L"0010", kIconChart},  {L"0129", kIconSearchFile},
    {L"0350", kIconSupport},    {L"0453", kIconSearchFile},
};

#include "LinkDriver.h"

#include "MessageTable.h"

LinkDriver::LinkDriver(IgnitionParameters &set, SessionSettings &settings, const MessageTable &messages,
                       UnitPortProvider &ports, QObject *parent)
    : QObject(parent), m_set(set), m_settings(settings), m_messages(messages), m_ports(ports)
{
}

LinkDriver::~LinkDriver() = default;

void LinkDriver::Timer1Timer() {}
void LinkDriver::StartProgram() {}
void LinkDriver::StartVerify() {}
void LinkDriver::StartRead() {}
void LinkDriver::StartProgrammingAfterChange() {}
void LinkDriver::OpenUnitPort() {}
void LinkDriver::CloseUnitPort() { m_port.reset(); }
bool LinkDriver::portOpen() const { return m_port != nullptr; }
void LinkDriver::ShowLinkMessage(const QString &text, NamedColour colour)
{
    LabelHlaseni.caption = text;
    LabelHlaseni.colour = colour;
}
void LinkDriver::HideMessageArea() { LabelHlaseni.visible = false; }
void LinkDriver::HighlightCurrentCurvePoint() {}

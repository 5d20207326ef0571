#include "link/option_command.h"

#include "link/station_link.h"

void applyOptionsToStation(StationLink& link, int flow, bool irSensor)
{
    StationStatus& image = link.statusImage();
    // A station flow outside the list leaves the list unselected; that is no request to
    // change the flow (it would go out as flow 255).
    if (flow < 0 || flow == image.flow()) {
        image.setCommandBits(true, false, false);
        image.setIrSensor(irSensor);
        link.commandBlock().setFlow(image.flow());
        link.SendCommand(image);
        link.refreshRecordingHeader();
    } else {
        image.setWriteRequest(false);
        image.setFlow(static_cast<uint8_t>(flow));
        link.commandBlock().setFlow(static_cast<uint8_t>(flow));
        link.finishFlowChangeOnNextStatus(irSensor);
        link.SendFrame(image);
        link.waits().blockingWait(200);
    }
    link.touchLastCommandTick();
}

// The border styles of the 3-D look: TUIBorder paints them, gadgets and bars keep them.
#pragma once

struct TBorderStyles {
    enum TStyle {
        None,
        Plain,
        Raised,
        Recessed,
        Embossed,
        Grooved,
        ButtonUp,
        ButtonDn,
        WndRaised,
        WndRecessed,
        WellSet,
    };
};

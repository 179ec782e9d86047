#include "foundation/InterThreadMessage.h"

InterThreadMessage::~InterThreadMessage() = default;

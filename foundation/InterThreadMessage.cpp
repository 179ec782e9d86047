#include "InterThreadMessage.h"

InterThreadMessage::~InterThreadMessage() = default;

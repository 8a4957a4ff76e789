#pragma once

class QLabel;

namespace wigglet {

// The look of clickable link text: link colour, underline, pointing hand.
void applyLinkLook(QLabel& label);

} // namespace wigglet

#pragma once

namespace wigglet {

// Opens a new e-mail to the support address, its subject naming the version.
class SendEmail {
  public:
    static void compose();
};

} // namespace wigglet

// Names in the Linux abstract Unix-socket namespace, held by one process at a
// time: binding the name holds it, and the kernel frees it when the holder
// ends, however it ends. Nothing touches the disk.
#pragma once

#include <string>

enum class NameClaim {
    Held,             // this process holds the name now
    TakenByThisUser,  // another process of this user holds it
    NotProvenOurs,    // taken, but not provably by this user (another user, a
                      // holder that does not answer), or no socket at all
};

// Tries to take name. On Held, *fd is the descriptor that holds it (kept open
// as long as the name is wanted). Anyone may bind any abstract name, so only
// a holder whose uid the kernel reports as ours counts as TakenByThisUser.
NameClaim claimAbstractName(const std::string& name, int* fd);

// A holder's part in that question: later claimants connect to ask who holds
// the name, and their connections queue until accepted. Accepts and closes
// them without blocking, so the queue never fills; call it now and then.
void answerNameQueries(int fd);

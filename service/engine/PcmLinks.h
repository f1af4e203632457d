#pragma once
// The PCM (E1) link rule: which spy channels a link serves and what its status does to them. Links work in pairs:
// links 2k and 2k+1 carry the CICs 30k .. 30k+29 for k = 0 .. 7, so links 0 .. 15 serve CICs 0 .. 239 and links
// from 16 on serve no channel. A link is up when the low 4 bits of its status are 0, 4, 8 or 12 (IsPcmLinkUp).
// A pair's circuits have service only while both of its links are up (a partner beyond PcmCount counts as up):
// judged link by link, one link down would flip the circuits between idle and link-lost on every poll. The
// partner's status is the one last stored in CardEngineState::PcmLinkStatus.

#include <cstdint>

// At board start: the spy channels of the link become idle (written directly, no row) when it is up, and are
// marked link-lost when it is down. Start-up thread.
void ApplyStartupLinkStatus(int link, uint32_t status);

// Every poll: a link that is up again shows its lost or failed spy channels as idle; a link that went down ends
// the recorded call of each of its spy channels and shows them as link-lost. Poll thread.
void ApplyLinkStatus(int link, uint32_t status);

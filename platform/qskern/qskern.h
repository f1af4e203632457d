/* qskern.h - C interface of the voice-board driver library qskern.dll.
 *
 * Families: QsdSys_ (boards, counts, start and stop), QsdTrk_ (E1 link status), QsdEvt_ (event
 * callback), QsdChl_ (channel type and state, pick-up, clear call, caller and callee numbers),
 * QsdVox_ (line voltage, rings, DTMF, tones, playback, recording into memory blocks) and QsdSpy_
 * (trunk tapping by circuit: call sides, numbers, recording into memory).
 *
 * Every function answers an int: QSD_OK (0) or QSD_ERR (-1) for operations, the value itself for
 * queries. Channels are numbered from 0 over all boards; spy functions take a circuit (CIC).
 * Callbacks run on the driver's own thread and may call back into the library.
 */
#ifndef QSKERN_H
#define QSKERN_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef QSKERN_BUILD
#define QSDAPI WINAPI /* exported by name through qskern.def */
#else
#define QSDAPI __declspec(dllimport) WINAPI
#endif

#define QSD_OK 0
#define QSD_ERR (-1)

/* Channel types (QsdChl_GetType). */
#define QSD_CHTYPE_LINE_VOLTAGE 6 /* analogue line; hook state only through its voltage */
#define QSD_CHTYPE_LINE_TRUNK 7   /* analogue line with line events */
#define QSD_CHTYPE_LINE_RECORD 8  /* analogue line with line events */
#define QSD_CHTYPE_SPY 10         /* one tapped circuit of an E1 trunk pair */

/* Driver channel states (QsdChl_GetState). */
#define QSD_CHSTATE_IDLE 0
#define QSD_CHSTATE_RINGING 1 /* analogue: ringing; spy: alerting */
#define QSD_CHSTATE_BUSY 2    /* analogue: off-hook; spy: answered */
#define QSD_CHSTATE_NO_LINE 3 /* analogue: below 2 V; spy: E1 link down */

/* Codecs of recordings and playback. */
#define QSD_CODEC_ALAW 6         /* G.711 A-law, 8000 bytes per second */
#define QSD_CODEC_MULAW 7        /* G.711 mu-law, 8000 bytes per second */
#define QSD_CODEC_IMA_ADPCM 0x11 /* IMA ADPCM, 256-byte blocks of 505 samples, 4000 bytes per second */

/* Events (QSD_EVENT_CALLBACK: event, channel, parameter). */
#define QSD_EVT_SPY_CIC 2    /* channel = CIC: its call sides changed */
#define QSD_EVT_SPY_CALL 3   /* channel = CIC; parameter QSD_SPY_* */
#define QSD_EVT_DTMF 5       /* parameter = the digit received (ASCII) */
#define QSD_EVT_PLAY_END 8   /* a file playback ended */
#define QSD_EVT_LINE 11      /* parameter QSD_LINE_* */
#define QSD_EVT_VOICE_ON 13  /* voice detected */
#define QSD_EVT_VOICE_OFF 14 /* silence detected */
#define QSD_EVT_BUSY_TONE 16 /* parameter = busy tones counted */

#define QSD_SPY_RELEASE 0
#define QSD_SPY_ANSWER 2
#define QSD_SPY_NUMBERS 12
#define QSD_SPY_ALERTING 13

#define QSD_LINE_STOP 0 /* line back on-hook */
#define QSD_LINE_LOST 1
#define QSD_LINE_PICKUP 8      /* line taken off-hook */
#define QSD_LINE_RING_START 12 /* first ring of a call */
#define QSD_LINE_RING 13       /* every ring */
#define QSD_LINE_ERROR 17

/* Block callback event: the block is full (bytes = the block size). */
#define QSD_REC_BLOCK_FULL 4

#define QSD_EVENT_MODE_CALLBACK 2 /* QSD_EVENT_MODE.Mode */
#define QSD_FLAG_CALLERID_MODE 7  /* QsdVox_SetFlag */
#define QSD_TONE_FAR_END_GONE 2   /* QsdVox_GetToneAnalyzeResult */
#define QSD_SPY_MIX_BOTH 2        /* QsdSpy_RecToMem: both call sides mixed */
#define QSD_NUMBER_BYTES 64       /* number and DTMF buffers, terminating 0 included */
#define QSD_LINK_STATUS_MASK 0xF  /* low bits 0, 4, 8 or 12: link up */

/* QsdVox_QueryRecInfo fills five ints. */
#define QSD_RECINFO_ACTIVE 0 /* 1 while recording */
#define QSD_RECINFO_CODEC 1
#define QSD_RECINFO_BYTES 2  /* bytes in the current block */
#define QSD_RECINFO_BLOCKS 3 /* blocks filled since the recording started */
#define QSD_RECINFO_MS 4     /* ms of audio in the current block */
#define QSD_RECINFO_COUNT 5

typedef int(WINAPI* QSD_EVENT_CALLBACK)(WORD event, int channel, WORD parameter, DWORD_PTR reserved);
typedef int(WINAPI* QSD_RECORD_CALLBACK)(int channel, int event, BYTE* block, int bytes, DWORD_PTR user);

typedef struct QSD_EVENT_MODE {
    int Mode;                    /* QSD_EVENT_MODE_CALLBACK */
    QSD_EVENT_CALLBACK Callback; /* null stops the events */
} QSD_EVENT_MODE;

int QSDAPI QsdSys_EnableBoardEx(const char* configFile, const char* promptFile);
int QSDAPI QsdSys_EnableBoard(void);
int QSDAPI QsdSys_DisableBoard(void);
int QSDAPI QsdSys_GetMaxUsableBoard(void);
int QSDAPI QsdSys_GetMaxCh(void);
int QSDAPI QsdSys_GetMaxPcm(void);
int QSDAPI QsdSys_GetBoardSerialNo(int board);
int QSDAPI QsdSys_GetCardType(int board);

int QSDAPI QsdTrk_GetPcmLinkStatus(int pcm);
int QSDAPI QsdEvt_ModeSet(const QSD_EVENT_MODE* mode);

int QSDAPI QsdChl_GetType(int channel);
int QSDAPI QsdChl_GetState(int channel);
int QSDAPI QsdChl_CallerNumberGet(int channel, char* number);
int QSDAPI QsdChl_ClearCallerNumber(int channel);
int QSDAPI QsdChl_CalleeNumberGet(int channel, char* number);
int QSDAPI QsdChl_Pickup(int channel);
int QSDAPI QsdChl_ClearCall(int channel);

int QSDAPI QsdVox_GetLineVoltage(int channel);
int QSDAPI QsdVox_SetFlag(int channel, int flag, int value);
int QSDAPI QsdVox_SetDtrmLineVoltage(int channel, WORD volts);
int QSDAPI QsdVox_SetCheckBargeInPara(int channel, int trigger, int soundMs);
int QSDAPI QsdVox_SetVocValidTime(int channel, int muteMs, int soundMs);
int QSDAPI QsdVox_GetRingCount(int channel);
int QSDAPI QsdVox_ClearRingCount(int channel);
int QSDAPI QsdVox_GetRcvDtmfLen(int channel);
int QSDAPI QsdVox_GetDtmfStr(int channel, char* digits, int reserved);
int QSDAPI QsdVox_ClrRcvDtmfBuf(int channel);
int QSDAPI QsdVox_SendDtmf(int channel, const char* digits);
int QSDAPI QsdVox_FilePlayStart(int channel, const char* path, int codec, int offset, int length);
int QSDAPI QsdVox_StopPlay(int channel);
int QSDAPI QsdVox_StartToneAnalyze(int channel);
int QSDAPI QsdVox_StopToneAnalyze(int channel);
int QSDAPI QsdVox_GetToneAnalyzeResult(int channel);
int QSDAPI QsdVox_GetBusyToneCount(int channel);
int QSDAPI QsdVox_RecordMemBlock(int channel, int codec, BYTE* buffer, int blockBytes, QSD_RECORD_CALLBACK callback,
                                 DWORD_PTR user);
int QSDAPI QsdVox_StopRec(int channel);
int QSDAPI QsdVox_QueryRecInfo(int channel, int* info);

int QSDAPI QsdSpy_GetMaxCic(void);
int QSDAPI QsdSpy_RecToMem(int cic, int mix, BYTE* buffer, int codec, int bytes, int reserved);
int QSDAPI QsdSpy_StopRecToMem(int cic);
int QSDAPI QsdSpy_QueryMemOffset(int cic);
int QSDAPI QsdSpy_GetCallInCh(int cic);
int QSDAPI QsdSpy_GetCallOutCh(int cic);
int QSDAPI QsdSpy_GetCallerId(int cic, char* number);
int QSDAPI QsdSpy_GetCalleeId(int cic, char* number);

#ifdef __cplusplus
}
#endif

#endif /* QSKERN_H */

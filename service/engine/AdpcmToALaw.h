#pragma once
// Rewrites an IMA ADPCM recording as an A-law WAV file (58-byte header, one byte per sample), the input of
// the MP3 conversion.

// Converts the recording at source into a new A-law file at destination (created or replaced). Only whole
// 256-byte blocks of the recording's counted data are converted. Returns true when the whole file was written.
// A source that is not an IMA ADPCM recording as this system writes it is refused before the destination is
// created; after any other failure the incomplete destination is deleted. The source is never changed.
// Runs on the call writer thread.
bool ConvertAdpcmWavToALaw(const wchar_t* source, const wchar_t* destination);

#!/usr/bin/env python3
"""Synthesises the default sounds and encodes them as MP3 with lame.

    tools/make_sounds.py [OUT_DIR]      (default: resources/sounds)

Writes the system sounds (Menu, Click, Dice, Move, Hanabi1-3) and the sounds
of a new game (Game1, Game2, Normal, Luck, UnLuck, Rest, Start, Goal, Retire)
as mono MP3 files. The output is committed; run this only to change a sound.
Needs lame. Uses only the standard library, and is deterministic.

The three pieces of music (Menu, Game1, Game2) loop: each is a whole number
of bars, and notes that ring past the end are wrapped round to the start,
so the waveform runs on without a step where the loop restarts.
"""

import math
import os
import random
import shutil
import subprocess
import sys
import tempfile
import wave

RATE = 22050
# 64 kbit/s leaves room in the first frame for lame's "Info" header, which
# lets the decoder drop the encoder's delay and padding (gapless loops).
LAME_OPTIONS = ["--quiet", "-m", "m", "-b", "64", "--noreplaygain"]
# Levels: the loudest tenth of a second of each sound is brought to a
# common loudness (music a little softer, as it plays under the effects),
# and no peak goes above -3 dBFS, leaving the encoder room to overshoot.
EFFECT_LOUDNESS_DB = -14.0
MUSIC_LOUDNESS_DB = -18.0
PEAK_DB = -3.0

NOTE_INDEX = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def freq(name):
    """'A4' -> 440.0; accepts sharps and flats ('F#4', 'Bb3')."""
    semitone = NOTE_INDEX[name[0]]
    rest = name[1:]
    while rest and rest[0] in "#b":
        semitone += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    midi = 12 * (int(rest) + 1) + semitone
    return 440.0 * 2.0 ** ((midi - 69) / 12.0)


class Track:
    """A mono mix. A looping track wraps whatever runs past its end."""

    def __init__(self, seconds, loop=False):
        self.loop = loop
        self.data = [0.0] * int(round(seconds * RATE))

    def add(self, start, samples, gain=1.0):
        at = int(round(start * RATE))
        size = len(self.data)
        if self.loop:
            for i, value in enumerate(samples):
                self.data[(at + i) % size] += value * gain
        else:
            end = at + len(samples)
            if end > size:
                self.data.extend([0.0] * (end - size))
            for i, value in enumerate(samples):
                self.data[at + i] += value * gain


def envelope(n, attack, release):
    """Linear attack and release (in samples) so every note starts and ends at 0."""
    attack = max(1, min(attack, n // 2))
    release = max(1, min(release, n - attack))
    def gain(i):
        if i < attack:
            return i / attack
        if i >= n - release:
            return (n - i) / release
        return 1.0
    return gain


def partials(f, seconds, parts, attack=0.004, release=0.03, vibrato=0.0):
    """Sum of sine partials (ratio, level, decay per second), each decaying
    exponentially, under a short attack and release."""
    n = int(seconds * RATE)
    gain = envelope(n, int(attack * RATE), int(release * RATE))
    out = []
    phases = [0.0] * len(parts)
    for i in range(n):
        t = i / RATE
        wobble = 1.0 + vibrato * math.sin(2 * math.pi * 5.0 * t) * min(1.0, t / 0.2)
        value = 0.0
        for k, (ratio, level, decay) in enumerate(parts):
            phases[k] += 2 * math.pi * f * ratio * wobble / RATE
            value += level * math.exp(-decay * t) * math.sin(phases[k])
        out.append(value * gain(i))
    return out


def bell(f, seconds=1.2, decay=3.0):
    return partials(f, seconds, [(1, 1.0, decay), (2, 0.3, decay * 1.8),
                                 (3, 0.12, decay * 2.6), (4.07, 0.05, decay * 3.5)],
                    attack=0.003, release=0.05)


def marimba(f, seconds=0.6):
    return partials(f, seconds, [(1, 1.0, 6.0), (3.93, 0.22, 22.0), (9.2, 0.05, 40.0)],
                    attack=0.002, release=0.04)


def flute(f, seconds):
    return partials(f, seconds, [(1, 1.0, 0.3), (2, 0.18, 0.6), (3, 0.07, 0.9)],
                    attack=0.04, release=0.08, vibrato=0.004)


def bass(f, seconds):
    return partials(f, seconds, [(1, 1.0, 2.0), (2, 0.25, 3.0)], attack=0.01, release=0.06)


def pad(notes, seconds):
    """A soft chord: a few harmonics per note, slightly detuned, slow attack."""
    n = int(seconds * RATE)
    gain = envelope(n, int(0.25 * RATE), int(0.35 * RATE))
    voices = []
    for name in notes:
        f = freq(name)
        for detune in (0.998, 1.002):
            for harmonic, level in ((1, 1.0), (2, 0.3), (3, 0.1)):
                voices.append([2 * math.pi * f * detune * harmonic / RATE, level, 0.0])
    out = []
    for i in range(n):
        value = 0.0
        for voice in voices:
            voice[2] += voice[0]
            value += voice[1] * math.sin(voice[2])
        out.append(value * gain(i) / len(voices))
    return out


def sweep(f0, f1, seconds, level=1.0):
    """A sine gliding from f0 to f1, swelling and fading."""
    n = int(seconds * RATE)
    out = []
    phase = 0.0
    for i in range(n):
        x = i / n
        f = f0 * (f1 / f0) ** x
        phase += 2 * math.pi * f / RATE
        out.append(level * math.sin(math.pi * x) ** 2 * math.sin(phase))
    return out


def noise_burst(rng, seconds, decay, smooth, level=1.0):
    """Noise through a one-pole low-pass (smooth near 1 = darker), decaying."""
    n = int(seconds * RATE)
    gain = envelope(n, int(0.002 * RATE), int(0.02 * RATE))
    out = []
    y = 0.0
    for i in range(n):
        y = smooth * y + (1 - smooth) * rng.uniform(-1.0, 1.0)
        out.append(level * y * math.exp(-decay * i / RATE) * gain(i))
    peak = max(1e-9, max(abs(v) for v in out))
    return [v * level / peak for v in out]


def thump(f, seconds, decay):
    n = int(seconds * RATE)
    gain = envelope(n, int(0.003 * RATE), int(0.03 * RATE))
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        phase += 2 * math.pi * f * (1.0 + 0.5 * math.exp(-t * 30)) / RATE
        out.append(math.sin(phase) * math.exp(-decay * t) * gain(i))
    return out


# --- music -----------------------------------------------------------------

def melody(track, start, beat, notes, voice, gain):
    """notes: (name or None, beats) in sequence."""
    t = start
    for name, beats in notes:
        if name:
            track.add(t, voice(freq(name), beats * beat), gain)
        t += beats * beat


def game1():
    """Cheerful, C major, 120 bpm, 8 bars of 4/4."""
    beat, bars = 0.5, 8
    track = Track(bars * 4 * beat, loop=True)
    chords = [("C3", ["C4", "E4", "G4"]), ("A2", ["A3", "C4", "E4"]),
              ("F2", ["F3", "A3", "C4"]), ("G2", ["G3", "B3", "D4"]),
              ("C3", ["C4", "E4", "G4"]), ("A2", ["A3", "C4", "E4"]),
              ("D3", ["D4", "F4", "A4"]), ("C3", ["C4", "E4", "G4"])]
    for bar, (root, chord) in enumerate(chords):
        t = bar * 4 * beat
        track.add(t, pad(chord, 4 * beat), 0.22)
        fifth = freq(root) * 1.5
        track.add(t, bass(freq(root), 1.8 * beat), 0.5)
        track.add(t + 2 * beat, bass(fifth, 1.8 * beat), 0.4)
    lead = [("E5", 1), ("G5", 1), ("A5", .5), ("G5", .5), ("E5", 1),
            ("C5", 1), ("D5", .5), ("E5", .5), ("A4", 2),
            ("F5", 1), ("A5", 1), ("G5", .5), ("F5", .5), ("E5", 1),
            ("D5", 3), (None, 1),
            ("E5", 1), ("G5", 1), ("C6", 1), ("B5", .5), ("A5", .5),
            ("G5", 1), ("E5", .5), ("D5", .5), ("C5", 2),
            ("D5", 1), ("F5", 1), ("B4", 1), ("D5", 1),
            ("C5", 3), (None, 1)]
    melody(track, 0, beat, lead, lambda f, s: marimba(f, max(s, 0.5)), 0.55)
    rng = random.Random(11)
    for step in range(bars * 4):
        if step % 2 == 1:
            track.add(step * beat, noise_burst(rng, 0.06, 60, 0.3), 0.05)
    return track


def game2():
    """Calm waltz, F major, 96 bpm, 8 bars of 3/4."""
    beat, bars = 0.625, 8
    track = Track(bars * 3 * beat, loop=True)
    chords = [("F2", ["A3", "C4", "F4"]), ("D2", ["A3", "D4", "F4"]),
              ("Bb1", ["Bb3", "D4", "F4"]), ("C2", ["G3", "C4", "E4"]),
              ("F2", ["A3", "C4", "F4"]), ("D2", ["A3", "D4", "F4"]),
              ("G2", ["Bb3", "D4", "G4"]), ("F2", ["A3", "C4", "F4"])]
    for bar, (root, chord) in enumerate(chords):
        t = bar * 3 * beat
        track.add(t, bass(freq(root), 2.5 * beat), 0.5)
        for b in (1, 2):
            for k, name in enumerate(chord):
                track.add(t + b * beat + k * 0.03, bell(freq(name), 1.2 * beat, 4.0), 0.12)
    lead = [("A4", 2), ("C5", 1),
            ("D5", 3),
            ("D5", 1), ("C5", 1), ("Bb4", 1),
            ("G4", 3),
            ("A4", 1), ("C5", 1), ("F5", 1),
            ("E5", 2), ("D5", 1),
            ("Bb4", 1), ("D5", 1), ("C5", 1),
            ("F4", 3)]
    melody(track, 0, beat, lead, lambda f, s: flute(f, s * 0.95), 0.4)
    return track


def menu():
    """Music box, G major, 120 bpm, 4 bars of 4/4."""
    beat, bars = 0.5, 4
    track = Track(bars * 4 * beat, loop=True)
    arpeggios = [["G4", "B4", "D5", "G5", "D5", "B4", "G4", "B4"],
                 ["E4", "G4", "B4", "E5", "B4", "G4", "E4", "G4"],
                 ["C4", "E4", "G4", "C5", "G4", "E4", "C4", "E4"],
                 ["D4", "F#4", "A4", "D5", "A4", "F#4", "D4", "C5"]]
    roots = ["G2", "E2", "C2", "D2"]
    for bar, notes in enumerate(arpeggios):
        t = bar * 4 * beat
        track.add(t, bass(freq(roots[bar]), 3.8 * beat), 0.35)
        for k, name in enumerate(notes):
            track.add(t + k * beat / 2, bell(freq(name) * 2, 0.9, 4.5), 0.22)
    top = [("B5", 2), ("A5", 1), ("G5", 1), ("G5", 2), ("B5", 2),
           ("C6", 2), ("B5", 1), ("A5", 1), ("A5", 3), (None, 1)]
    melody(track, 0, beat, top, lambda f, s: bell(f, max(s, 1.0), 2.5), 0.25)
    return track


# --- effects ---------------------------------------------------------------

def click():
    track = Track(0.08)
    track.add(0, partials(1400, 0.07, [(1, 1.0, 70), (2.1, 0.3, 110)],
                          attack=0.001, release=0.02))
    return track


def move():
    track = Track(0.16)
    track.add(0, partials(720, 0.15, [(1, 1.0, 28), (2.7, 0.25, 60)],
                          attack=0.002, release=0.03))
    return track


def dice():
    rng = random.Random(7)
    track = Track(0.1)
    t = 0.0
    for hit in range(9):
        level = 0.9 * (0.82 ** hit)
        track.add(t, noise_burst(rng, 0.05, 80, 0.55), level * 0.6)
        track.add(t, partials(rng.uniform(1500, 2600), 0.05, [(1, 1.0, 90)],
                              attack=0.001, release=0.01), level * 0.5)
        t += 0.055 + 0.02 * hit + rng.uniform(0.0, 0.02)
    return track


def hanabi1():
    """Launch whistle, a pop, a few sparks."""
    rng = random.Random(1)
    track = Track(0.1)
    track.add(0, sweep(500, 1700, 0.85), 0.35)
    track.add(0.9, thump(110, 0.5, 9), 0.9)
    track.add(0.9, noise_burst(rng, 0.4, 12, 0.7), 0.5)
    for _ in range(14):
        t = 1.0 + rng.uniform(0, 0.9)
        track.add(t, bell(freq(rng.choice(["E7", "G7", "A7", "C8"])), 0.25, 18), 0.12)
    return track


def hanabi2():
    """A deep boom and crackling."""
    rng = random.Random(2)
    track = Track(0.1)
    track.add(0, thump(65, 1.3, 3.5), 1.0)
    track.add(0, noise_burst(rng, 1.4, 4.5, 0.93), 0.7)
    for _ in range(40):
        t = 0.3 + rng.uniform(0, 1.4)
        track.add(t, noise_burst(rng, 0.02, 150, 0.1), rng.uniform(0.08, 0.2))
    return track


def hanabi3():
    """A shower of sparkles."""
    rng = random.Random(3)
    track = Track(0.1)
    track.add(0, thump(90, 0.4, 10), 0.6)
    track.add(0, noise_burst(rng, 1.8, 2.5, 0.2), 0.06)
    names = ["C7", "D7", "E7", "G7", "A7", "C8"]
    t = 0.05
    while t < 1.7:
        track.add(t, bell(freq(rng.choice(names)), 0.35, 12), 0.18 * (1.0 - t / 2.0))
        t += rng.uniform(0.02, 0.09) * (1 + t)
    return track


def chime_sequence(notes, voice, gain=1.0):
    """notes: (start, name, seconds)."""
    track = Track(0.1)
    for at, name, seconds in notes:
        track.add(at, voice(freq(name), seconds), gain)
    return track


def normal():
    return chime_sequence([(0, "G5", 0.6), (0.22, "E5", 0.8)], lambda f, s: bell(f, s, 4.5))


def luck():
    track = chime_sequence([(0.00, "C5", 0.5), (0.08, "E5", 0.5), (0.16, "G5", 0.5),
                            (0.24, "C6", 0.9)], lambda f, s: bell(f, s, 4.0))
    for k, name in enumerate(["E6", "G6", "C7", "E7"]):
        track.add(0.42 + 0.06 * k, bell(freq(name), 0.5, 8.0), 0.3)
    return track


def unluck():
    return chime_sequence([(0.0, "G4", 0.38), (0.4, "F#4", 0.38), (0.8, "F4", 0.38),
                           (1.2, "E4", 0.9)], flute, 0.8)


def rest():
    track = chime_sequence([(0.0, "E5", 0.8), (0.35, "C5", 0.8), (0.7, "G4", 1.2)], marimba)
    track.add(0, pad(["C4", "G4"], 1.9), 0.25)
    return track


def start():
    track = chime_sequence([(0.0, "G4", 0.2), (0.12, "C5", 0.2), (0.24, "E5", 0.2),
                            (0.36, "G5", 1.0)], lambda f, s: partials(
                                f, s, [(1, 1.0, 1.5), (2, 0.45, 2.0), (3, 0.25, 3.0),
                                       (4, 0.12, 4.0)], attack=0.015, release=0.08), 0.8)
    track.add(0.36, pad(["C4", "E4", "G4"], 1.0), 0.35)
    return track


def goal():
    def brass(f, seconds):
        return partials(f, seconds, [(1, 1.0, 0.8), (2, 0.5, 1.2), (3, 0.3, 1.8),
                                     (4, 0.15, 2.5), (5, 0.08, 3.0)],
                        attack=0.02, release=0.12)

    track = chime_sequence([(0.0, "C5", 0.18), (0.15, "E5", 0.18), (0.3, "G5", 0.18),
                            (0.45, "C6", 0.3), (0.8, "G5", 0.18), (0.95, "C6", 1.5)], brass, 0.6)
    track.add(0.95, pad(["C4", "E4", "G4", "C5"], 1.6), 0.45)
    rng = random.Random(9)
    for _ in range(10):
        track.add(1.0 + rng.uniform(0, 1.0),
                  bell(freq(rng.choice(["C7", "E7", "G7"])), 0.4, 10), 0.12)
    return track


def retire():
    return chime_sequence([(0.0, "E5", 0.4), (0.38, "D5", 0.4), (0.76, "C5", 0.4),
                           (1.14, "A4", 1.0)], flute, 0.8)


SOUNDS = {
    "Menu": menu, "Click": click, "Dice": dice, "Move": move,
    "Hanabi1": hanabi1, "Hanabi2": hanabi2, "Hanabi3": hanabi3,
    "Game1": game1, "Game2": game2,
    "Normal": normal, "Luck": luck, "UnLuck": unluck, "Rest": rest,
    "Start": start, "Goal": goal, "Retire": retire,
}


def loudest_window_rms(data, seconds=0.1):
    size = max(1, min(len(data), int(seconds * RATE)))
    squares = [v * v for v in data]
    window = sum(squares[:size])
    loudest = window
    for i in range(size, len(data)):
        window += squares[i] - squares[i - size]
        loudest = max(loudest, window)
    return math.sqrt(max(loudest, 0.0) / size)


def finish(track):
    """Brings the sound to its loudness under the peak limit; a one-shot
    sound also gets a short fade at its end so that it stops at zero."""
    data = track.data
    target = 10 ** ((MUSIC_LOUDNESS_DB if track.loop else EFFECT_LOUDNESS_DB) / 20)
    scale = target / max(1e-9, loudest_window_rms(data))
    peak = max(1e-9, max(abs(v) for v in data))
    scale = min(scale, 10 ** (PEAK_DB / 20) / peak)
    data = [v * scale for v in data]
    if not track.loop:
        fade = min(len(data), int(0.01 * RATE))
        for i in range(fade):
            data[len(data) - fade + i] *= 1.0 - (i + 1) / fade
    return data


def write_wav(path, data):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        frames = bytearray()
        for v in data:
            s = max(-32768, min(32767, int(round(v * 32767))))
            frames += s.to_bytes(2, "little", signed=True)
        out.writeframes(bytes(frames))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "sounds")
    if shutil.which("lame") is None:
        sys.exit("make_sounds: lame is not installed")
    os.makedirs(out_dir, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name, make in SOUNDS.items():
            data = finish(make())
            wav = os.path.join(work, name + ".wav")
            mp3 = os.path.join(out_dir, name + ".mp3")
            write_wav(wav, data)
            subprocess.run(["lame", *LAME_OPTIONS, wav, mp3], check=True)
            with open(mp3, "rb") as f:
                if b"Info" not in f.read(1024):
                    sys.exit(f"make_sounds: {name}.mp3 has no Info frame")
            print(f"{name}.mp3: {len(data) / RATE:.2f} s, {os.path.getsize(mp3)} bytes")


if __name__ == "__main__":
    main()

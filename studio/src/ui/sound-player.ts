// Plays one sound at a time (each panel that plays has its own player); the
// library's "Play all" runs as a session that Stop (or any new playing) ends.

import { playSamples } from '../wave';

export interface Session {
  live(): boolean;
}

export class SoundPlayer {
  private audio: AudioContext | null = null;
  private stopCurrent: (() => void) | null = null;
  private session = 0;

  /** A new session; the one before ends. */
  begin(): Session {
    this.stop();
    const id = ++this.session;
    return { live: () => id === this.session };
  }

  /** Plays samples; resolves when they end or are stopped. Outside a
   * session, any sound or session playing stops first. */
  play(samples: Int16Array, session: Session = this.begin()): Promise<void> {
    if (!session.live()) return Promise.resolve();
    this.stopCurrent?.();
    this.audio ??= new AudioContext({ sampleRate: 44100 });
    void this.audio.resume();
    return new Promise((resolve) => {
      let ended = false;
      const stop = playSamples(this.audio as AudioContext, samples, () => {
        ended = true;
        this.stopCurrent = null;
        resolve();
      });
      // An empty sound has ended before playSamples returns.
      this.stopCurrent = ended ? null : stop;
    });
  }

  /** True while a sound plays. */
  get busy(): boolean {
    return this.stopCurrent !== null;
  }

  /** Stops the sound and ends the session. */
  stop(): void {
    this.session++;
    this.stopCurrent?.();
  }
}

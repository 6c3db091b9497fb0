// The library: the set of named sounds the game gets, kept in the browser.
// Add the current sound under its name, rename, duplicate, delete, reorder,
// open one in the editor, play one or all in order; open and save the set as
// a .zus file, and "Export pack" for the game. Every change is one undo step.

import { samplesOf } from '../wave';
import { safeName } from '../names';
import {
  addSound,
  DEFAULT_SET_NAME,
  deleteSound,
  designOf,
  duplicateSound,
  Library,
  moveSound,
  openSetFile,
  renameSound,
  seedOf,
} from '../library/library';
import { packFiles, zipFiles } from '../library/pack';
import { samplesDiffering } from '../routes';
import { confirmBeside, download, findElements } from './dom';
import { LibraryRows, RowAction } from './library-rows';
import type { Page, Panel, View } from './page';
import { SoundPlayer } from './sound-player';

export class LibraryPanel implements Panel {
  private ui = findElements({
    libraryAdd: HTMLButtonElement,
    libraryPlayAll: HTMLButtonElement,
    libraryStop: HTMLButtonElement,
    librarySetFile: HTMLInputElement,
    librarySave: HTMLButtonElement,
    libraryExport: HTMLButtonElement,
    libraryEditing: HTMLElement,
    libraryClose: HTMLButtonElement,
    libraryNote: HTMLElement,
    libraryError: HTMLElement,
    libraryStatus: HTMLElement,
    libraryList: HTMLOListElement,
    libraryCount: HTMLElement,
    libraryName: HTMLInputElement,
  });
  private rows: LibraryRows;
  private shown: Library | null = null;
  private player = new SoundPlayer();
  /** Moves the focus with a sound moved by the keyboard. */
  private focusAfter: number | undefined;

  constructor(private page: Page) {
    this.rows = new LibraryRows(this.ui.libraryList, page.setPool, {
      act: (action, i) => this.act(action, i),
      check: (i, name) => page.engine.set.nameProblem(this.lib.sounds, name, i),
      rename: (i, name) => this.apply(renameSound(page.engine, this.lib, i, name)),
    });
    this.ui.libraryAdd.onclick = () => this.add();
    this.ui.libraryPlayAll.onclick = () => void this.playAll();
    this.ui.libraryStop.onclick = () => this.player.stop();
    this.ui.libraryClose.onclick = () => page.changeLibrary({ ...this.lib, open: null });
    this.ui.librarySave.onclick = () => this.save();
    this.ui.libraryExport.onclick = () => void this.exportPack();
    this.ui.libraryName.onchange = () => {
      const name = safeName(this.ui.libraryName.value, DEFAULT_SET_NAME);
      if (name === this.lib.name) this.ui.libraryName.value = name;
      else page.changeLibrary({ ...this.lib, name });
    };
    this.ui.librarySetFile.onchange = () => {
      const f = this.ui.librarySetFile.files?.[0];
      if (f) void this.open(f);
      this.ui.librarySetFile.value = '';
    };
  }

  private get lib(): Library {
    return this.page.view.library;
  }

  show(view: View): void {
    if (view.library === this.shown) return;
    this.shown = view.library;
    this.rows.show(view.library, this.focusAfter);
    this.focusAfter = undefined;
    const { sounds, open } = view.library;
    this.ui.libraryCount.textContent = `${view.library.name}.zus: ${sounds.length === 1 ? '1 sound' : `${sounds.length} sounds`}`;
    this.ui.libraryName.value = view.library.name;
    this.ui.libraryEditing.hidden = open === null;
    const editing = this.ui.libraryEditing.querySelector('strong');
    if (editing) editing.textContent = open === null ? '' : sounds[open].name;
    this.ui.libraryPlayAll.disabled = this.ui.libraryExport.disabled = sounds.length === 0;
  }

  /** Opens a .zus file as the library. */
  async open(file: File): Promise<void> {
    const bytes = new Uint8Array(await file.arrayBuffer());
    this.apply(openSetFile(this.page.engine, file.name, bytes));
  }

  private apply(next: Library | string): void {
    if (typeof next === 'string') this.page.error(next, this.ui.libraryError);
    else this.page.changeLibrary(next);
  }

  private act(action: RowAction, i: number): void {
    const engine = this.page.engine;
    if (action === 'play') void this.playOne(i);
    else if (action === 'edit') this.page.changeLibrary({ ...this.lib, open: i }, designOf(engine, this.lib.sounds[i]));
    else if (action === 'duplicate') this.apply(duplicateSound(engine, this.lib, i));
    else if (action === 'delete') this.apply(deleteSound(this.lib, i));
    else {
      const to = action === 'up' ? i - 1 : i + 1;
      if (to < 0 || to >= this.lib.sounds.length) return;
      this.focusAfter = to;
      this.apply(moveSound(this.lib, i, to));
    }
  }

  /** Adds the current sound under the sound name; says when the set's sound is not the one heard. */
  private add(): void {
    const d = this.page.view.design;
    const next = addSound(this.page.engine, this.lib, d, d.name);
    this.apply(next);
    if (typeof next === 'string') return;
    const sound = next.sounds[next.sounds.length - 1];
    const note = seedOf(d).exact
      ? ''
      : `"${sound.name}": the random state is 0, which no seed gives; the set keeps seed ${sound.seed}, so its noise may differ.`;
    this.note(note);
    void this.compare(d, sound.name);
  }

  /** Renders the design and its set sound; a difference (a setting no block holds) is said. */
  private async compare(d: View['design'], name: string): Promise<void> {
    const sound = this.lib.sounds.find((s) => s.name === name);
    if (!sound) return;
    const [mine, theirs] = await Promise.all([
      this.page.renderer.render(d.block, d.rand, d.buffer),
      this.page.setPool.runOne({ sound, files: true }),
    ]);
    const diff = samplesDiffering(mine.wav, theirs.wav as Uint8Array);
    if (diff.count === 0) return;
    this.note(
      `"${name}": the set's sound differs from the one designed in ${diff.count} samples ` +
        `(its random state or a setting the 24 variables do not hold); the library plays the set's version.`,
    );
  }

  private note(text: string): void {
    this.ui.libraryNote.textContent = text;
    this.ui.libraryNote.hidden = text === '';
  }

  private async playOne(i: number): Promise<void> {
    const r = await this.page.setPool.runOne({ sound: this.lib.sounds[i], files: true });
    await this.player.play(samplesOf(r.wav as Uint8Array));
  }

  /** Plays every sound in set order; the renders run ahead in the pool. */
  private async playAll(): Promise<void> {
    const sounds = this.lib.sounds;
    const session = this.player.begin();
    const waits = sounds.map(() => {
      let resolve!: (wav: Uint8Array | null) => void;
      return {
        promise: new Promise<Uint8Array | null>((r) => (resolve = r)),
        resolve: (w: Uint8Array | null) => resolve(w),
      };
    });
    const batch = this.page.setPool.run(
      sounds.map((sound) => ({ sound, files: true })),
      { urgent: true, onResult: (i, r) => waits[i].resolve(r.wav ?? null), onError: (i) => waits[i].resolve(null) },
    );
    for (let i = 0; i < sounds.length && session.live(); i++) {
      const wav = await waits[i].promise;
      this.ui.libraryStatus.textContent = `Playing ${i + 1} of ${sounds.length}: ${sounds[i].name}`;
      if (wav && session.live()) await this.player.play(samplesOf(wav), session);
    }
    batch.cancel();
    this.ui.libraryStatus.textContent = '';
  }

  private save(): void {
    const text = this.page.engine.set.write(this.lib.sounds);
    download(`${this.lib.name}.zus`, new TextEncoder().encode(text), 'text/plain');
  }

  /** Renders and zips the pack, says how long it took, and downloads it. */
  private async exportPack(): Promise<void> {
    const lib = this.lib;
    const start = performance.now();
    const status = this.ui.libraryStatus;
    this.ui.libraryExport.disabled = true;
    try {
      const files = await packFiles(this.page.engine, this.page.setPool, lib, (done) => {
        status.textContent = `Rendering ${done} of ${lib.sounds.length}…`;
      });
      status.textContent = 'Packing…';
      const zip = await zipFiles(files);
      const ms = performance.now() - start;
      status.textContent = `Pack of ${lib.sounds.length} sounds made in ${(ms / 1000).toFixed(1)} s`;
      status.dataset.ms = ms.toFixed(0);
      download(`${lib.name}.zip`, zip, 'application/zip');
      confirmBeside(this.ui.libraryExport, `Exported ${lib.name}.zip`);
    } catch (e) {
      status.textContent = '';
      this.page.error(`Export pack: ${e instanceof Error ? e.message : String(e)}`, this.ui.libraryError);
    } finally {
      this.ui.libraryExport.disabled = lib.sounds.length === 0;
    }
  }
}

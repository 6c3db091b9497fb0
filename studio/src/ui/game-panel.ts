// "In your game": the sound's name, and the whole rule that puts the sound
// into a game by one recommended route (the actions when they make it, else
// the CSV text when it is exact, else the .sfs file), the others under
// "Other ways". A route is called exact only when its render is the page's
// render byte for byte; else the panel says why and plays its version.

import type { Design } from '../design';
import { GROUPS } from '../params';
import type { Rendered } from '../renderer';
import { difference, Route, RouteKind, ruleLines, samplesDiffering } from '../routes';
import { fileName } from '../names';
import { el, findElements } from './dom';
import type { Page, Panel, View } from './page';

type Verdict = { state: 'exact' | 'checking' | 'differs'; text: string };

const TITLES: Record<RouteKind, string> = {
  actions: 'With the actions',
  csv: 'With the CSV text',
  sfs: 'With the .sfs file',
};

const PARAM_NAMES = new Map(GROUPS.flatMap((g) => g.params).map((p) => [p.index, p.name]));

/** "A, B and C". */
const listed = (names: string[]): string =>
  names.length < 2 ? names.join('') : `${names.slice(0, -1).join(', ')} and ${names[names.length - 1]}`;

export class GamePanel implements Panel {
  private ui = findElements({
    soundName: HTMLInputElement,
    bufferNote: HTMLElement,
    routeMain: HTMLElement,
    routeOthers: HTMLElement,
  });
  private view: View | null = null;
  private verdicts = new Map<RouteKind, Verdict>();

  constructor(private page: Page) {
    this.ui.soundName.onchange = () => {
      page.dispatch({ kind: 'name', name: this.ui.soundName.value });
      this.ui.soundName.value = page.view.design.name;
    };
  }

  show(view: View): void {
    this.view = view;
    if (document.activeElement !== this.ui.soundName) this.ui.soundName.value = view.design.name;
    this.ui.bufferNote.hidden = true;
    this.verdicts = new Map(view.texts.routes.map((r) => [r.kind, this.firstVerdict(view.design, r)]));
    this.draw();
  }

  /** The page's sound was rendered: the buffer it needs, and the routes
   * whose inputs differ compared render to render. */
  heard(design: Design, result: Rendered): void {
    const view = this.view;
    if (!view || view.design !== design) return;
    const note = this.ui.bufferNote;
    note.hidden = result.whole === undefined;
    note.textContent =
      result.whole === null
        ? 'Even the largest "Buffer length", 10, cuts this sound: shorten its envelope to hear it whole in the game.'
        : `The object's "Buffer length" must be at least ${result.whole} to play this sound whole (it is ${design.buffer} here).`;
    for (const route of view.texts.routes) {
      if (this.verdicts.get(route.kind)?.state === 'checking') void this.compare(view, route, result.wav);
    }
  }

  private firstVerdict(d: Design, route: Route): Verdict {
    const diff = difference(d, route);
    if (diff.variables.length === 0 && !diff.noise) return { state: 'exact', text: 'exact: this very sound' };
    if (route.rand === null) {
      return { state: 'differs', text: 'not exact: different noise (the random state would be the clock’s)' };
    }
    return { state: 'checking', text: 'checking whether it gives this very sound…' };
  }

  private async compare(view: View, route: Route, heard: Uint8Array): Promise<void> {
    const d = view.design;
    const r = await this.page.renderer.render(route.block, route.rand ?? 0, d.buffer);
    if (this.view !== view) return;
    const { count, largest } = samplesDiffering(r.wav, heard);
    const diff = difference(d, route);
    const rounded = diff.variables.filter((i) => i < 24).map((i) => PARAM_NAMES.get(i) ?? `variable ${i}`);
    const what = [
      rounded.length > 0 ? `rounds ${listed(rounded)} to four decimals` : '',
      diff.noise ? 'draws different noise' : '',
    ].filter(Boolean);
    const cause = what.length > 0 ? `it ${what.join(' and ')}` : 'it leaves two values unset that no CSV text carries';
    const samples = (heard.length - 44) / 2;
    this.verdicts.set(
      route.kind,
      count === 0
        ? { state: 'exact', text: `exact: ${cause}, which changes no sample` }
        : {
            state: 'differs',
            text:
              `not exact: ${cause}; ${count} of ${samples} samples differ, ` +
              `by up to ${(largest * 100).toFixed(1)} % of full scale`,
          },
    );
    this.draw();
  }

  /** The recommended route first, then the others. */
  private draw(): void {
    const view = this.view;
    if (!view) return;
    const { routes, csvUnreadable } = view.texts;
    // Routes come as actions, CSV text, .sfs file: the first exact one leads.
    const main = routes.find((r) => this.verdicts.get(r.kind)?.state === 'exact') ?? routes[routes.length - 1];
    // Once, by the first route that sets the random source to a state other
    // than the seed field's.
    const d = view.design;
    const seeded = d.rand !== 0 && d.rand !== d.seed ? [main, ...routes].find((r) => r.kind !== 'actions') : undefined;
    this.ui.routeMain.replaceChildren(this.routeBlock(view, main, true, seeded === main));
    const others = routes.filter((r) => r !== main).map((r) => this.routeBlock(view, r, false, seeded === r));
    if (csvUnreadable >= 0) {
      const param = PARAM_NAMES.get(csvUnreadable) ?? `variable ${csvUnreadable}`;
      others.push(
        el(
          'p',
          { 'data-route': 'csv', class: 'inexact' },
          `${TITLES.csv}: not offered: ${param} holds a value the game's reader cannot read back from the text ` +
            `("${view.texts.csv.split(',')[csvUnreadable]}"); use the .sfs file.`,
        ),
      );
    }
    this.ui.routeOthers.replaceChildren(...others);
  }

  private routeBlock(view: View, route: Route, main: boolean, explainSeed: boolean): HTMLElement {
    const d = view.design;
    const verdict = this.verdicts.get(route.kind) ?? { state: 'checking', text: '' };
    const lines = ruleLines(route, d.name);
    const box = el('div', { class: 'route', 'data-route': route.kind });
    box.append(
      el(main ? 'h3' : 'h4', {}, main ? `Recommended: ${TITLES[route.kind].toLowerCase()}` : TITLES[route.kind]),
      el('p', { class: `verdict ${verdict.state === 'exact' ? 'exact' : 'inexact'}` }, verdict.text),
      el('p', {}, 'Once, for example at the start of the frame:'),
      list(lines.once),
    );
    if (main) box.append(el('p', {}, 'Whenever the game should play it:'), list([lines.play]));
    if (explainSeed) {
      box.append(
        el(
          'p',
          { class: 'help' },
          `${d.rand} is where the random source stood after the actions that made this sound; ` +
            'the seed puts it there again, so the noise is the same.',
        ),
      );
    }
    if (route.kind === 'sfs') {
      box.append(
        el(
          'p',
          { class: 'help' },
          `"Export .sfs" saves ${fileName(d.name, 'sfs')}: put it in a folder "sounds" next to the application.`,
        ),
      );
    }
    if (verdict.state === 'differs' && route.rand !== null) box.append(this.routeButtons(d, route));
    return box;
  }

  private routeButtons(d: Design, route: Route): HTMLElement {
    const bar = el('div', { class: 'toolbar' });
    const play = el('button', { type: 'button' }, 'Play this version');
    play.onclick = () => void this.page.play({ ...d, block: route.block, rand: route.rand ?? 0 });
    bar.append(play);
    if (route.kind === 'csv') {
      const snap = el('button', { type: 'button' }, 'Snap to the CSV text');
      snap.title = 'Make this version the sound';
      snap.onclick = () => this.page.dispatch({ kind: 'snap' });
      bar.append(snap);
    }
    return bar;
  }
}

function list(lines: string[]): HTMLOListElement {
  const ol = el('ol', { class: 'rule' });
  ol.append(...lines.map((line) => el('li', {}, line)));
  return ol;
}

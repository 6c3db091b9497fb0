// The page as the keyboard and the eye meet it: variations that belong to
// their sound, slider keys and undo steps, the play key, errors beside their
// controls, the guide's ranges and the layout at two widths.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { fieldValue, openStudio, rendered, useBrowser } from './browser.mjs';

useBrowser();

const pressed = (p) => p.getAttribute('#play', 'aria-pressed');

test('variations are marked and cannot be picked once the sound changes', async () => {
  const p = await openStudio();
  assert.equal(await p.locator('#strip li').count(), 0, 'no tiles before any variation exists');
  await p.click('button[aria-label="Create jump"]');
  await p.click('#new-variations');
  // Each tile says how it is made; picking one sets the seed it names.
  assert.equal(await p.textContent('#strip li:nth-child(3) .recipe'), 'Set random seed to 4, then Mutate sound');
  await p.getByRole('button', { name: 'Pick variation 3' }).click();
  assert.equal(await p.inputValue('#seed'), '4');
  assert.equal(await p.getByRole('button', { name: 'Pick variation 5' }).isEnabled(), true);
  await p.click('button[aria-label="Create explosion"]');
  const explosion = await p.evaluate(() => Array.from(window.studio.d.block));
  assert.equal(await p.getByRole('button', { name: 'Pick variation 5' }).isEnabled(), false);
  assert.match(await p.textContent('#variations-note'), /earlier sound/);
  await p.getByRole('button', { name: 'Pick variation 5' }).click({ force: true });
  assert.deepEqual(await p.evaluate(() => Array.from(window.studio.d.block)), explosion);
  await p.close();
});

test('arrow keys step a slider by 0.01 (Shift 0.1, Alt 0.001); a run of presses or a drag is one undo step', async () => {
  const p = await openStudio();
  await p.focus('#param-6');
  for (let i = 0; i < 10; i++) await p.keyboard.press('ArrowRight');
  assert.equal(await fieldValue(p, 6), '0.4');
  await p.keyboard.press('Shift+ArrowUp');
  await p.keyboard.press('Alt+ArrowLeft');
  assert.equal(await fieldValue(p, 6), '0.499');
  // Another control starts its own step.
  await p.focus('#param-3');
  await p.keyboard.press('ArrowDown');
  assert.equal(await fieldValue(p, 3), '0.29');
  await p.keyboard.press('Control+z');
  assert.equal(await fieldValue(p, 3), '0.3');
  assert.equal(await fieldValue(p, 6), '0.499');
  await p.keyboard.press('Control+z');
  assert.equal(await fieldValue(p, 6), '0.3');
  assert.equal(await p.isDisabled('#undo'), true);
  // So is a drag.
  const track = await p.locator('#param-3').boundingBox();
  await p.mouse.move(track.x + 4, track.y + track.height / 2);
  await p.mouse.down();
  for (const x of [0.3, 0.6, 0.9]) await p.mouse.move(track.x + track.width * x, track.y + track.height / 2);
  await p.mouse.up();
  assert.notEqual(await fieldValue(p, 3), '0.3');
  await p.keyboard.press('Control+z');
  assert.equal(await fieldValue(p, 3), '0.3');
  assert.equal(await p.isDisabled('#undo'), true);
  // The guide's useful range: the sound volume goes to 2.
  assert.equal(await p.getAttribute('#param-0', 'max'), '2');
  await p.close();
});

test('P plays and stops wherever the focus is not in a text field', async () => {
  const p = await openStudio();
  await p.fill('#param-3-value', '1');
  await p.press('#param-3-value', 'Enter');
  await rendered(p);
  await p.keyboard.press('p');
  assert.equal(await p.inputValue('#param-3-value'), '1p', 'P types into a text field');
  assert.equal(await pressed(p), 'false');
  for (const focus of ['#param-6', '#randomize']) {
    await p.focus(focus);
    await p.keyboard.press('p');
    await p.waitForFunction(() => document.getElementById('play').getAttribute('aria-pressed') === 'true');
    await p.keyboard.press('p');
    assert.equal(await pressed(p), 'false');
  }
  await p.close();
});

test('errors show beside their control and are announced; copies are confirmed', async () => {
  const p = await openStudio();
  // A file that is neither an .sfs file nor a CSV text, opened beside the CSV box.
  await p.setInputFiles('#file', { name: 'bad.bin', mimeType: 'application/octet-stream', buffer: Buffer.alloc(4) });
  const spot = p.locator('#import-error');
  await p.waitForSelector('#import-error:has-text("bad.bin")');
  assert.equal(await spot.getAttribute('aria-live'), 'assertive');
  // Right under the buttons that load a CSV text or open a file.
  const button = await p.locator('#file').boundingBox();
  const error = await spot.boundingBox();
  const gap = error.y - (button.y + button.height);
  assert.ok(gap >= 0 && gap < 24, `error ${gap} px below the buttons`);
  assert.equal(await p.textContent('#error'), '');
  // A bad value shows in its own group and replaces the other error.
  await p.fill('#param-6-value', 'x');
  await p.press('#param-6-value', 'Enter');
  assert.match(
    await p
      .locator('fieldset', { has: p.locator('#param-6') })
      .locator('.error')
      .textContent(),
    /"x"/,
  );
  assert.equal(await spot.textContent(), '');
  await p.click('#copy-csv');
  await p.waitForSelector('#copy-csv + .done:text("Copied the CSV text")');
  await p.close();
});

test('listening comes before the parameters at 420 px; "In your game" is on the first screen at 1280x800', async () => {
  const top = (p, selector) => p.evaluate((s) => document.querySelector(s).getBoundingClientRect().top, selector);
  const narrow = await openStudio(undefined, { width: 420, height: 800 });
  assert.ok((await top(narrow, '#wave')) < (await top(narrow, '#groups')));
  assert.ok((await top(narrow, '#wave')) < 800, 'the waveform is on the first screen');
  await narrow.close();
  const wide = await openStudio();
  await wide.click('#new-variations');
  assert.ok((await top(wide, '#game')) < 700);
  await wide.close();
});
